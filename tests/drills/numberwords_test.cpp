#include <gtest/gtest.h>

#include "script.h"

#include <deque>
#include <random>

#include "app/core/cp1251.h"
#include "drills/numberwords.h"

namespace {


struct CardinalCase {
  int32_t n;
  const char* cardinal;
  const char* ordinal;
};

TEST(NumberWords, CardinalsAndOrdinals) {
  const CardinalCase cases[] = {
      {0, "zero", "zeroth"},
      {1, "one", "first"},
      {2, "two", "second"},
      {3, "three", "third"},
      {4, "four", "fourth"},
      {5, "five", "fifth"},
      {8, "eight", "eighth"},
      {9, "nine", "ninth"},
      {11, "eleven", "eleventh"},
      {12, "twelve", "twelfth"},
      {20, "twenty", "twentieth"},
      {21, "twenty-one", "twenty-first"},
      {40, "forty", "fortieth"},
      {99, "ninety-nine", "ninety-ninth"},
      {100, "one hundred", "hundredth"},
      {101, "one hundred and one", "hundred and first"},
      {105, "one hundred and five", "hundred and fifth"},
      {111, "one hundred and eleven", "hundred and eleventh"},
      {112, "one hundred and twelve", "hundred and twelfth"},
      {300, "three hundred", "three hundredth"},
      {1000, "one thousand", "thousandth"},
      {1001, "one thousand and one", "thousand and first"},
      {1005, "one thousand and five", "thousand and fifth"},
      {1234, "one thousand two hundred and thirty-four", "thousand two hundred and thirty-fourth"},
      {1000000, "one million", "millionth"},
      {5000123, "five million one hundred and twenty-three",
       "five million one hundred and twenty-third"},
      {7000012, "seven million and twelve", "seven million and twelfth"},
      {12045678, "twelve million and forty-five thousand six hundred and seventy-eight",
       "twelve million and forty-five thousand six hundred and seventy-eighth"},
      {999999999,
       "nine hundred and ninety-nine million nine hundred and ninety-nine thousand nine hundred and "
       "ninety-nine",
       "nine hundred and ninety-nine million nine hundred and ninety-nine thousand nine hundred and "
       "ninety-ninth"},
      {1000000000, "one billion", "billionth"},
  };
  for (const CardinalCase& c : cases) {
    EXPECT_EQ(lx::CardinalWords(c.n), c.cardinal) << c.n;
    EXPECT_EQ(lx::OrdinalWords(lx::CardinalWords(c.n)), c.ordinal) << c.n;
  }
  EXPECT_EQ(lx::WordsBelowThousand(0), "");
  EXPECT_EQ(lx::OrdinalWords("one"), "first");
}

TEST(NumberWords, YearsPhonesAndClock) {
  EXPECT_EQ(lx::YearWords(1984), "nineteen eighty-four");
  EXPECT_EQ(lx::YearWords(2007), "twenty seven");
  EXPECT_EQ(lx::YearWords(1905), "nineteen five");
  EXPECT_EQ(lx::YearWords(1900), "nineteen ");
  EXPECT_EQ(lx::YearWords(1500), "fifteen ");
  EXPECT_EQ(lx::DigitWords(405217), "four zero five two one seven ");
  EXPECT_EQ(lx::DigitWords(100000), "one zero zero zero zero zero ");

  const std::tuple<int32_t, const char*, const char*> clock[] = {
      {0, "It's twelve now", "12:00"},
      {1, "It's five minutes past twelve", "12:05"},
      {3, "It's a quarter past twelve", "12:15"},
      {6, "It's half past twelve", "12:30"},
      {9, "It's a quarter to one", "12:45"},
      {12, "It's one now", "1:00"},
      {29, "It's twenty-five minutes past two", "2:25"},
      {37, "It's five minutes past three", "3:05"},
      {44, "It's twenty minutes to four", "3:40"},
      {45, "It's a quarter to four", "3:45"},
      {141, "It's a quarter to twelve", "11:45"},
      {143, "It's five minutes to twelve", "11:55"},
  };
  for (const auto& [k, words, digits] : clock) {
    EXPECT_EQ(lx::ClockWords(k), words) << k;
    EXPECT_EQ(lx::ClockDigits(k), digits) << k;
  }
}

TEST(NumberWords, DrawUsesEveryKindAndValueClass) {
  struct Case {
    std::vector<std::pair<int32_t, int32_t>> draws;
    int32_t kind, value;
    const char* words;
    const char* digits;
    const char* caption;
  };
  const Case cases[] = {
      {{{9, 0}, {4, 0}, {12, 11}}, 1, 12, "twelve", "12", "количественное"},
      {{{9, 1}, {4, 1}, {7, 6}}, 2, 19, "nineteen", "19", "количественное"},
      {{{9, 3}, {4, 2}, {80, 1}}, 4, 21, "twenty-first", "21st", "порядковое"},
      {{{9, 4}, {4, 0}, {12, 1}}, 5, 2, "second", "2nd", "порядковое"},
      {{{9, 5}, {4, 0}, {12, 2}}, 6, 3, "third", "3rd", "порядковое"},
      {{{9, 5}, {4, 3}, {6, 2}, {901, 0}}, 6, 100, "hundredth", "100th", "порядковое"},
      {{{9, 3}, {4, 3}, {6, 0}, {901, 900}}, 4, 1000, "thousandth", "1000th", "порядковое"},
      {{{9, 2}, {4, 3}, {6, 4}, {999001, 1}}, 3, 1001, "one thousand and one", "1001",
       "количественное"},
      {{{9, 3}, {4, 3}, {6, 3}, {999001, 999000}}, 4, 1000000, "millionth", "1000000th",
       "порядковое"},
      {{{9, 0}, {4, 3}, {6, 5}, {999000001, 999000000}}, 1, 1000000000, "one billion",
       "1000000000", "количественное"},
      {{{9, 4}, {4, 3}, {6, 5}, {999000001, 999000000}}, 5, 1000000000, "billionth",
       "1000000000th", "порядковое"},
      {{{9, 6}, {550, 484}}, 7, 1984, "nineteen eighty-four", "1984", "год"},
      {{{9, 7}, {900000, 305217}}, 8, 405217, "four zero five two one seven ", "405217",
       "телефонный номер"},
      {{{9, 8}, {144, 143}}, 9, 143, "It's five minutes to twelve", "11:55", "время"},
      {{{9, 8}, {144, 37}}, 9, 37, "It's five minutes past three", "3:05", "время"},
  };
  for (const Case& c : cases) {
    Script script{{c.draws.begin(), c.draws.end()}};
    const lx::NumberTask t = lx::DrawNumberTask(script.source());
    EXPECT_TRUE(script.draws.empty());
    EXPECT_EQ(t.kind, c.kind);
    EXPECT_EQ(t.value, c.value);
    EXPECT_EQ(t.words, c.words);
    EXPECT_EQ(t.digits, c.digits);
    EXPECT_EQ(lx::Cp1251ToUtf8(t.caption), c.caption);
  }
}

// Every task a real generator draws has text and an answer.
TEST(NumberWords, RandomDrawsAreComplete) {
  std::mt19937 rng(7);
  const lx::RandomSource random = [&](int32_t m) {
    return static_cast<int32_t>(std::uniform_int_distribution<int32_t>(0, m - 1)(rng));
  };
  for (int i = 0; i < 20000; ++i) {
    const lx::NumberTask t = lx::DrawNumberTask(random);
    ASSERT_FALSE(t.words.empty()) << t.kind << " " << t.value;
    ASSERT_FALSE(t.digits.empty());
    if (t.kind >= 4 && t.kind <= 6) {
      const std::string suffix = t.digits.substr(t.digits.size() - 2);
      ASSERT_TRUE(suffix == "st" || suffix == "nd" || suffix == "rd" || suffix == "th") << t.digits;
    }
  }
}

}  // namespace
