#include "settingsslots.h"

#include "errors.h"
#include "textfile.h"

namespace lx {

void SettingsSlots::Clear() {
  for (auto& s : slots_) s.clear();
}

void SettingsSlots::Load(std::string_view bytes) {
  Clear();
  const auto lines = SplitLines(bytes);
  for (size_t i = 0; i < lines.size() && i < slots_.size(); ++i) slots_[i] = lines[i];
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
  return empty(slot) ? fallback : StrToInt(get(slot));
}

uint32_t SettingsSlots::RgbOr(int slot, uint32_t fallbackRgb) const {
  return empty(slot) ? fallbackRgb : StoredToRgb(StrToInt(get(slot)));
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
