#pragma once
// The 100 settings slots of data\info.txt. An empty slot means "use the default".
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lx {

// A colour as stored in the slots: blue * 65536 + green * 256 + red.
constexpr int32_t StoredColor(uint8_t r, uint8_t g, uint8_t b) { return b * 65536 + g * 256 + r; }

class SettingsSlots {
 public:
  static constexpr int kCount = 100;

  // Clears every slot, then fills slots 1, 2, ... from the lines (at most 100).
  void Load(std::string_view bytes);
  void Clear();
  // Exactly 100 lines, each ended by CR LF.
  std::string Serialize() const;

  const std::string& get(int slot) const { return slots_.at(static_cast<size_t>(slot - 1)); }
  void set(int slot, std::string value);
  bool empty(int slot) const { return get(slot).empty(); }

  // The slot as an integer, or `fallback` when empty. A slot that is not a number
  // raises ConvertError on its first read only, so that the learner hears of it once;
  // every later read gives `fallback` (until the slot is set again).
  int32_t IntOr(int slot, int32_t fallback) const;
  // A stored colour given as #RRGGBB components, or the fallback (also #RRGGBB) when
  // empty; a slot that is not a number is treated as IntOr treats it.
  uint32_t RgbOr(int slot, uint32_t fallbackRgb) const;

 private:
  std::array<std::string, kCount> slots_;
  mutable std::array<bool, kCount> badReported_{};
};

// #RRGGBB <-> the stored blue-green-red integer.
uint32_t StoredToRgb(int32_t stored);
int32_t RgbToStored(uint32_t rgb);

}  // namespace lx
