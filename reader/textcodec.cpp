#include "reader/textcodec.h"

#include <cstdint>

#include "app/core/cp1251.h"

namespace lx {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Length of the UTF-8 sequence starting at `i` and its code point; 0 when invalid
// (overlong forms, surrogates and values past U+10FFFF are invalid).
size_t Utf8Sequence(std::string_view s, size_t i, char32_t& cp) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n;
  char32_t min;
  if (c < 0x80) {
    cp = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    n = 2, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, cp = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string_view WithoutUtf8Bom(std::string_view bytes) {
  return bytes.substr(0, kBom.size()) == kBom ? bytes.substr(kBom.size()) : bytes;
}

bool IsUtf8Text(std::string_view bytes) {
  if (bytes.substr(0, kBom.size()) == kBom) return true;
  bool multiByte = false;
  char32_t cp;
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t n = Utf8Sequence(bytes, i, cp);
    if (n == 0) return false;
    multiByte = true;
    i += n;
  }
  return multiByte;
}

std::u16string DecodeText(std::string_view bytes) {
  if (!IsUtf8Text(bytes)) return DecodeCp1251(bytes);
  const std::string_view s = WithoutUtf8Bom(bytes);
  std::u16string out;
  out.reserve(s.size());
  char32_t cp;
  for (size_t i = 0; i < s.size();) {
    const size_t n = Utf8Sequence(s, i, cp);
    if (n == 0) {  // only after a byte-order mark: an invalid byte stands for itself
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += n;
  }
  return out;
}

}  // namespace lx
