#include "drills/numberwords.h"

#include <array>

namespace lx {

namespace {

constexpr std::array<const char*, 20> kUnits = {
    "",        "one",     "two",       "three",    "four",     "five",    "six",
    "seven",   "eight",   "nine",      "ten",      "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<const char*, 10> kTens = {"",      "",      "twenty",  "thirty", "forty",
                                               "fifty", "sixty", "seventy", "eighty", "ninety"};

struct Ending {
  std::string_view ending;
  std::string_view ordinal;
};
constexpr std::array<Ending, 15> kOrdinalEndings = {{{"one", "first"},
                                                      {"two", "second"},
                                                      {"five", "fifth"},
                                                      {"eight", "eighth"},
                                                      {"three", "third"},
                                                      {"nine", "ninth"},
                                                      {"twelve", "twelfth"},
                                                      {"twenty", "twentieth"},
                                                      {"thirty", "thirtieth"},
                                                      {"forty", "fortieth"},
                                                      {"fifty", "fiftieth"},
                                                      {"sixty", "sixtieth"},
                                                      {"seventy", "seventieth"},
                                                      {"eighty", "eightieth"},
                                                      {"ninety", "ninetieth"}}};

constexpr int32_t kBillion = 1000000000;

// Captions in Windows-1251.
constexpr const char* kCardinalCaption =
    "\xea\xee\xeb\xe8\xf7\xe5\xf1\xf2\xe2\xe5\xed\xed\xee\xe5";  // количественное
constexpr const char* kOrdinalCaption = "\xef\xee\xf0\xff\xe4\xea\xee\xe2\xee\xe5";  // порядковое
constexpr const char* kYearCaption = "\xe3\xee\xe4";                                 // год
constexpr const char* kPhoneCaption =
    "\xf2\xe5\xeb\xe5\xf4\xee\xed\xed\xfb\xe9 \xed\xee\xec\xe5\xf0";  // телефонный номер
constexpr const char* kTimeCaption = "\xe2\xf0\xe5\xec\xff";         // время

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

int32_t ClockHour(int32_t k) {
  const int32_t h = k / 12;
  return h == 0 ? 12 : h;
}

}  // namespace

std::string WordsBelowThousand(int32_t n) {
  if (n < 0 || n > 999) return {};
  const int32_t r = n % 100;
  std::string out;
  if (r >= 20) {
    out = kTens[static_cast<size_t>(r / 10)];
    if (r % 10 != 0) {
      out += '-';
      out += kUnits[static_cast<size_t>(r % 10)];
    }
  } else {
    out = kUnits[static_cast<size_t>(r)];
  }
  if (n >= 100) {
    std::string hundreds = kUnits[static_cast<size_t>(n / 100)];
    out = r != 0 ? hundreds + " hundred and " + out : hundreds + " hundred";
  }
  return out;
}

std::string CardinalWords(int32_t n) {
  if (n == 0) return "zero";
  if (n == kBillion) return "one billion";
  if (n < 0 || n > kBillion) return {};
  const int32_t groups[3] = {n / 1000000, (n / 1000) % 1000, n % 1000};
  const char* names[3] = {" million", " thousand", ""};
  std::string out;
  for (int g = 0; g < 3; ++g) {
    if (groups[g] == 0) continue;
    if (!out.empty()) out += groups[g] >= 100 ? " " : " and ";
    out += WordsBelowThousand(groups[g]);
    out += names[g];
  }
  return out;
}

std::string OrdinalWords(std::string_view cardinal) {
  std::string out;
  bool replaced = false;
  for (const Ending& e : kOrdinalEndings) {
    if (EndsWith(cardinal, e.ending)) {
      out = std::string(cardinal.substr(0, cardinal.size() - e.ending.size()));
      out += e.ordinal;
      replaced = true;
      break;
    }
  }
  if (!replaced) out = std::string(cardinal) + "th";
  if (out.size() > 5 && out.compare(0, 3, "one") == 0) out.erase(0, 4);
  return out;
}

std::string YearWords(int32_t year) {
  return WordsBelowThousand(year / 100) + " " + WordsBelowThousand(year % 100);
}

std::string DigitWords(int32_t n) {
  std::string out;
  for (char d : std::to_string(n)) {
    if (d < '0' || d > '9') continue;
    out += d == '0' ? "zero" : kUnits[static_cast<size_t>(d - '0')];
    out += ' ';
  }
  return out;
}

std::string ClockWords(int32_t k) {
  const int32_t h = ClockHour(k);
  const int32_t s = k % 12;
  const std::string hour = WordsBelowThousand(h);
  const std::string next = h == 12 ? "one" : WordsBelowThousand(h + 1);
  std::string out = "It's ";
  switch (s) {
    case 0: return out + hour + " now";
    case 3: return out + "a quarter past " + hour;
    case 6: return out + "half past " + hour;
    case 9: return out + "a quarter to " + next;
    case 1: case 2: case 4: case 5:
      return out + WordsBelowThousand(5 * s) + " minutes past " + hour;
    default:
      return out + WordsBelowThousand(60 - 5 * s) + " minutes to " + next;
  }
}

std::string ClockDigits(int32_t k) {
  const int32_t minutes = 5 * (k % 12);
  return std::to_string(ClockHour(k)) + ":" + (minutes < 10 ? "0" : "") + std::to_string(minutes);
}

NumberTask DrawNumberTask(const RandomSource& random) {
  NumberTask t;
  t.kind = 1 + random(9);
  if (t.kind <= 6) {
    switch (random(4)) {
      case 0: t.value = 1 + random(12); break;
      case 1: t.value = 13 + random(7); break;
      case 2: t.value = 20 + random(80); break;
      default: {
        const int32_t s = random(6);
        if (s <= 2) t.value = 100 + random(901);
        else if (s <= 4) t.value = 1000 + random(999001);
        else t.value = 1000000 + random(999000001);
      }
    }
    const std::string cardinal = CardinalWords(t.value);
    t.digits = std::to_string(t.value);
    if (t.kind <= 3) {
      t.words = cardinal;
      t.caption = kCardinalCaption;
    } else {
      t.words = OrdinalWords(cardinal);
      t.digits += t.words.substr(t.words.size() - 2);
      t.caption = kOrdinalCaption;
    }
  } else if (t.kind == 7) {
    t.value = 1500 + random(550);
    t.words = YearWords(t.value);
    t.digits = std::to_string(t.value);
    t.caption = kYearCaption;
  } else if (t.kind == 8) {
    t.value = 100000 + random(900000);
    t.words = DigitWords(t.value);
    t.digits = std::to_string(t.value);
    t.caption = kPhoneCaption;
  } else {
    t.value = random(144);
    t.words = ClockWords(t.value);
    t.digits = ClockDigits(t.value);
    t.caption = kTimeCaption;
  }
  return t;
}

}  // namespace lx
