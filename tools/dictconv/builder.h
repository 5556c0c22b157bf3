#pragma once
// Builds the course's two dictionary tables from the source index and article text.
#include <string_view>
#include <vector>

#include "app/core/dicttables.h"
#include "mueller.h"

namespace lx::dictconv {

struct BuildResult {
  DictTable english;
  Dict2Table russian;
  int russianCandidates = 0;  // keys before the choice of the best ones
};

// Every article entry of `index` read from `text` (the decompressed .dict). Entries whose
// headwords fold to the same lower case share one record. Throws std::runtime_error when
// an entry points outside the text or a table would exceed its capacity.
BuildResult BuildTables(const std::vector<IndexEntry>& index, std::string_view text);

}  // namespace lx::dictconv
