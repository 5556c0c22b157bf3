#pragma once
// Windows-1251 code page: the encoding of every text the course keeps in memory.
#include <string>
#include <string_view>

namespace lx {

// Unicode code point of a Windows-1251 byte (0x98, the one unassigned byte, maps to U+FFFD).
char32_t Cp1251ToUnicode(unsigned char byte);
// Byte for a code point, or -1 when Windows-1251 cannot represent it.
int UnicodeToCp1251(char32_t codePoint);

std::u16string DecodeCp1251(std::string_view bytes);
// Characters the code page lacks become `replacement`.
std::string EncodeCp1251(std::u16string_view text, char replacement = '?');

std::string Cp1251ToUtf8(std::string_view bytes);
std::string Utf8ToCp1251(std::string_view utf8, char replacement = '?');

}  // namespace lx
