#include "foldcase.h"

namespace lx {

std::string FoldCase(std::string_view text, FoldDirection direction) {
  std::string out(text);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (direction == FoldDirection::Upper) {
      if ((b >= 97 && b <= 122) || b >= 224) c = static_cast<char>(b - 32);
      else if (b == 184) c = static_cast<char>(168);
    } else {
      if ((b >= 65 && b <= 90) || (b >= 192 && b <= 223)) c = static_cast<char>(b + 32);
      else if (b == 168) c = static_cast<char>(184);
    }
  }
  return out;
}

}  // namespace lx
