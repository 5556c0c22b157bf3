#pragma once
// The one case conversion used for matching words: Latin and Cyrillic letters of
// Windows-1251, byte by byte, independent of the system locale.
#include <string>
#include <string_view>

namespace lx {

enum class FoldDirection { Upper, Lower };

std::string FoldCase(std::string_view text, FoldDirection direction);
inline std::string FoldLower(std::string_view text) { return FoldCase(text, FoldDirection::Lower); }
inline std::string FoldUpper(std::string_view text) { return FoldCase(text, FoldDirection::Upper); }

}  // namespace lx
