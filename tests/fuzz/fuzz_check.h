#pragma once
// Shared by the fuzz targets: a broken property stops the run at once, and the
// draws of the drill builders come from a small generator seeded by the input.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "drills/numberwords.h"

#define FUZZ_CHECK(cond) \
  do {                   \
    if (!(cond)) std::abort(); \
  } while (0)

namespace fuzz {

inline lx::RandomSource SeededRandom(std::string_view bytes) {
  uint64_t state = 0x9E3779B97F4A7C15ull ^ bytes.size();
  for (unsigned char c : bytes) state = (state ^ c) * 0x100000001B3ull;
  return [state](int32_t m) mutable {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return static_cast<int32_t>(state % static_cast<uint64_t>(m));
  };
}

}  // namespace fuzz
