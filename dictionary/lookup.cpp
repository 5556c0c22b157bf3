#include "lookup.h"

#include <algorithm>
#include <string>

namespace lx {
namespace {

bool ByteLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

// The shared near-match search. The tables are sorted by headword bytes, so the first
// headword not below the key is found by bisection: the same position a scan from the
// start would stop at.
template <typename Records, typename Score>
std::optional<int> NearestHeadword(const Records& records, std::string_view key, Score score) {
  const auto it = std::lower_bound(records.begin(), records.end(), key,
                                   [](const auto& r, std::string_view k) { return ByteLess(r.headword, k); });
  if (it == records.end()) return std::nullopt;
  const int count = static_cast<int>(records.size());
  const int k = static_cast<int>(it - records.begin()) + 1;
  if (it->headword == key) return k;
  auto headword = [&](int pos) -> std::string_view { return records[static_cast<size_t>(pos - 1)].headword; };
  int best = k;
  int bestScore = score(key, headword(k));
  for (int d = 1; d <= 32; ++d) {
    for (int pos : {k - d, k + d}) {
      if (pos < 1 || pos > count) continue;
      const int s = score(key, headword(pos));
      if (s > bestScore) {
        best = pos;
        bestScore = s;
      }
    }
  }
  return best;
}

std::string WithoutHyphensAndSpaces(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != '-' && c != ' ') out += c;
  return out;
}

bool EndsWith(const std::string& s, std::string_view ending) {
  return s.size() >= ending.size() && s.compare(s.size() - ending.size(), ending.size(), ending) == 0;
}

struct EndingRule {
  const char* keyEnding;
  size_t keyMin;
  const char* headEnding;  // empty: any headword
  size_t headMin;
  int allowance;
};

// Inflected endings of the key against dictionary endings of the headword (Windows-1251);
// the first rule that applies wins.
constexpr EndingRule kEndingRules[] = {
    {"\xff", 1, "\xe5", 1, 1},          // я / е
    {"\xe0\xff", 3, "\xee\xe9", 3, 2},  // ая / ой
    {"\xe9", 1, "\xe5", 1, 1},          // й / е
    {"\xe5", 1, "\xe0", 1, 1},          // е / а
    {"\xfe", 1, "\xff", 1, 1},          // ю / я
    {"\xe8", 1, "\xfc", 1, 1},          // и / ь
    {"\xe0", 1, "\xee", 1, 1},          // а / о
    {"\xe5\xf2", 3, "\xf2\xfc", 3, 2},  // ет / ть
    {"\xee\xe9", 3, "\xfb\xe9", 3, 1},  // ой / ый
    {"\xe0\xed", 3, "\xe0\xf2\xfc", 4, 2},  // ан / ать
    {"\xe0\xf5", 3, "\xee", 2, 2},      // ах / о
    {"\xee\xec", 3, "\xe8\xe9", 3, 2},  // ом / ий
    {"\xe5", 1, "", 0, 1},              // е
    {"\xe9", 1, "", 0, 1},              // й
    {"\xfb", 1, "", 0, 1},              // ы
    {"\xe0", 1, "", 0, 1},              // а
    {"\xf5", 1, "", 0, 1},              // х
    {"\xee\xe2", 3, "", 0, 2},          // ов
    {"\xe8\xec", 3, "", 0, 2},          // им
    {"\xf1\xff", 3, "", 0, 2},          // ся
    {"\xe0\xed\xee", 4, "", 0, 3},      // ано
    {"\xfc\xf1\xff", 4, "", 0, 3},      // ься
    {"\xe0\xec\xe8", 4, "", 0, 3},      // ами
    {"\xe8\xf1\xff", 4, "", 0, 3},      // ися
};

int EndingAllowance(const std::string& key, const std::string& headword) {
  for (const auto& rule : kEndingRules) {
    if (key.size() < rule.keyMin || headword.size() < rule.headMin) continue;
    if (EndsWith(key, rule.keyEnding) && EndsWith(headword, rule.headEnding)) return rule.allowance;
  }
  return 0;
}

}  // namespace

std::optional<int> FindExactHeadword(const DictTable& table, std::string_view key) {
  const auto& records = table.records();
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].headword == key) return static_cast<int>(i + 1);
  return std::nullopt;
}

int EnglishMatchScore(std::string_view key, std::string_view headword) {
  if (headword.size() > key.size()) return 0;
  int score = 0;
  for (size_t i = 0; i < headword.size(); ++i) score += headword[i] == key[i] ? 1 : -2;
  return score;
}

int RussianMatchScore(std::string_view rawKey, std::string_view rawHeadword) {
  const std::string key = WithoutHyphensAndSpaces(rawKey), headword = WithoutHyphensAndSpaces(rawHeadword);
  size_t prefix = 0;
  while (prefix < key.size() && prefix < headword.size() && key[prefix] == headword[prefix]) ++prefix;
  const int a = EndingAllowance(key, headword);
  return 2 * (static_cast<int>(prefix) + a) - static_cast<int>(std::max(key.size(), headword.size()));
}

std::optional<int> FindHeadword(const DictTable& table, std::string_view key) {
  return NearestHeadword(table.records(), key, EnglishMatchScore);
}

std::optional<int> FindHeadword(const Dict2Table& table, std::string_view key) {
  return NearestHeadword(table.records(), key, RussianMatchScore);
}

}  // namespace lx
