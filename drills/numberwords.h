#pragma once
// English words for numbers, ordinals, years, telephone numbers and clock times,
// and the random draw of one numerals task. Plain ASCII English; captions are
// Windows-1251 Russian.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lx {

// Uniform integer in 0 .. m - 1 for m >= 1.
using RandomSource = std::function<int32_t(int32_t m)>;

struct NumberTask {
  int32_t kind = 0;  // 1-3 cardinal, 4-6 ordinal, 7 year, 8 telephone number, 9 time
  int32_t value = 0;
  std::string words;
  std::string digits;
  std::string caption;
};

std::string WordsBelowThousand(int32_t n);  // 0..999; empty for 0
// 0..999 999 999, and 1 000 000 000 as "one billion".
std::string CardinalWords(int32_t n);
std::string OrdinalWords(std::string_view cardinal);
std::string YearWords(int32_t year);  // 1500..2049
std::string DigitWords(int32_t n);    // n >= 1; every digit followed by a space
std::string ClockWords(int32_t k);    // 0..143 five-minute steps from twelve o'clock
std::string ClockDigits(int32_t k);   // "12:00" .. "11:55"

NumberTask DrawNumberTask(const RandomSource& random);

}  // namespace lx
