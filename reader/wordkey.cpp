#include "reader/wordkey.h"

#include <algorithm>

#include "app/core/foldcase.h"

namespace lx {

WordKey WordFieldKey(std::string_view text) {
  WordKey out;
  const bool digit = text.size() == 1 && text[0] >= '0' && text[0] <= '9';
  if (text.size() == 1 && text != "a" && !digit) {
    out.key = FoldUpper(text) + FoldLower(text);
    out.pronounce = true;
  } else {
    out.key = std::string(text);
  }
  out.key.erase(std::remove(out.key.begin(), out.key.end(), ':'), out.key.end());
  return out;
}

}  // namespace lx
