#pragma once
// The key the reader's word field and word grid look up: a lone letter becomes its
// capital and small form ("b" -> "Bb", the name the sound index gives letters) and
// is pronounced; colons are dropped.
#include <string>
#include <string_view>

namespace lx {

struct WordKey {
  std::string key;
  bool pronounce = false;
};

WordKey WordFieldKey(std::string_view text);

}  // namespace lx
