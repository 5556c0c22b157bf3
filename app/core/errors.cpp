#include "errors.h"

#include "cp1251.h"

namespace lx {

bool TryStrToInt(std::string_view text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t acc = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    acc = acc * 10 + (c - '0');
    if (acc > 2147483648LL) return false;
  }
  if (negative) acc = -acc;
  if (acc > INT32_MAX || acc < INT32_MIN) return false;
  value = static_cast<int32_t>(acc);
  return true;
}

int32_t StrToInt(std::string_view text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value))
    throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

}  // namespace lx
