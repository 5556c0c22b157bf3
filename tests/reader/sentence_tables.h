#pragma once
// Sentence tables built from sentence lengths, for the alignment's tests and benchmark.
#include <cstdint>
#include <vector>

#include "reader/alignment.h"

namespace lx::test {

// Each sentence is followed by one separator character.
inline SentenceTable TableOfLengths(const std::vector<int32_t>& lengths) {
  SentenceTable t;
  t.boundaries.push_back({0, 0, 0});
  int32_t end = 0;
  for (int32_t len : lengths) {
    end += len + 1;
    t.boundaries.push_back({end, len, 0});
  }
  return t;
}

}  // namespace lx::test
