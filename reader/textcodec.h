#pragma once
// How the reader decodes a text file: Windows-1251, unless the bytes are valid UTF-8
// holding at least one multi-byte sequence or begin with a UTF-8 byte-order mark.
#include <string>
#include <string_view>

namespace lx {

bool IsUtf8Text(std::string_view bytes);
// The bytes without a leading UTF-8 byte-order mark.
std::string_view WithoutUtf8Bom(std::string_view bytes);
// The text as UTF-16 by the rule above (a byte-order mark is dropped).
std::u16string DecodeText(std::string_view bytes);

}  // namespace lx
