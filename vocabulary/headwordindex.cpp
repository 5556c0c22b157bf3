#include "vocabulary/headwordindex.h"

namespace lx {

HeadwordIndex::HeadwordIndex(const DictTable& table) : table_(table) {
  first_.reserve(static_cast<size_t>(table.count()));
  // emplace keeps the first record of a headword that occurs twice.
  for (int n = 1; n <= table.count(); ++n) first_.emplace(table.record(n).headword, n);
}

std::optional<int> HeadwordIndex::Find(std::string_view key) const {
  const auto it = first_.find(key);
  if (it == first_.end()) return std::nullopt;
  return it->second;
}

}  // namespace lx
