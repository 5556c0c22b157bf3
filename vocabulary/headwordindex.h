#pragma once
// Exact headword lookups over the English table by hash: the same first match as a
// scan of the table, for the list tools that look up every word of a list or a text.
#include <optional>
#include <string_view>
#include <unordered_map>

#include "app/core/dicttables.h"

namespace lx {

class HeadwordIndex {
 public:
  // `table` must outlive the index and stay unchanged.
  explicit HeadwordIndex(const DictTable& table);
  // Position (from 1) of the first record whose headword equals `key` byte for byte.
  std::optional<int> Find(std::string_view key) const;
  const DictTable& table() const { return table_; }

 private:
  const DictTable& table_;
  std::unordered_map<std::string_view, int> first_;
};

}  // namespace lx
