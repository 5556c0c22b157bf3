#include "settingsslots.h"

#include "errors.h"
#include "textfile.h"

namespace lx {

void SettingsSlots::Clear() {
  for (auto& s : slots_) s.clear();
  badReported_.fill(false);
}

void SettingsSlots::set(int slot, std::string value) {
  slots_.at(static_cast<size_t>(slot - 1)) = std::move(value);
  badReported_.at(static_cast<size_t>(slot - 1)) = false;
}

void SettingsSlots::Load(std::string_view bytes) {
  Clear();
  // Only the first 100 lines are looked at, however long the file.
  size_t filled = 0;
  size_t start = 0;
  while (filled < slots_.size() && start < bytes.size()) {
    size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) lf = bytes.size();
    size_t end = lf;
    if (end > start && end < bytes.size() && bytes[end - 1] == '\r') --end;
    slots_[filled++] = std::string(bytes.substr(start, end - start));
    start = lf + 1;
  }
}

std::string SettingsSlots::Serialize() const {
  std::string out;
  for (const auto& s : slots_) {
    out += s;
    out += "\r\n";
  }
  return out;
}

int32_t SettingsSlots::IntOr(int slot, int32_t fallback) const {
  if (empty(slot)) return fallback;
  int32_t value = 0;
  if (TryStrToInt(get(slot), value)) return value;
  bool& reported = badReported_.at(static_cast<size_t>(slot - 1));
  if (reported) return fallback;
  reported = true;
  return StrToInt(get(slot));  // raises the conversion error
}

uint32_t SettingsSlots::RgbOr(int slot, uint32_t fallbackRgb) const {
  if (empty(slot)) return fallbackRgb;
  int32_t stored = 0;
  if (TryStrToInt(get(slot), stored)) return StoredToRgb(stored);
  return StoredToRgb(IntOr(slot, RgbToStored(fallbackRgb)));
}

uint32_t StoredToRgb(int32_t stored) {
  const auto v = static_cast<uint32_t>(stored);
  const uint32_t r = v & 0xFF, g = (v >> 8) & 0xFF, b = (v >> 16) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

int32_t RgbToStored(uint32_t rgb) {
  return StoredColor(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
}

}  // namespace lx
