#pragma once
// The two errors the course raises: a text that is not a number where one is
// expected, and a start-up file that cannot be read. Callers show what() as is.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lx {

struct ConvertError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct FileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Decimal 32-bit integer, optional sign, optional leading blanks; anything else
// raises ConvertError with the platform's wording ('x' is not a valid integer value).
int32_t StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, int32_t& value);

}  // namespace lx
