#include <gtest/gtest.h>

#include "app/core/cp1251.h"
#include "dictionary/lookup.h"

namespace {

std::string Cp(std::string_view utf8) { return lx::Utf8ToCp1251(utf8); }

lx::DictTable English(std::initializer_list<const char*> headwords) {
  lx::DictTable t;
  for (const char* h : headwords) t.Append({h, "", "", ""});
  return t;
}

lx::Dict2Table Russian(std::initializer_list<const char*> headwordsUtf8) {
  lx::Dict2Table t;
  for (const char* h : headwordsUtf8) t.Append({Cp(h), ""});
  return t;
}

TEST(MatchScores, EnglishExamples) {
  struct Case {
    const char* key;
    const char* headword;
    int score;
  } cases[] = {{"running", "run", 3},     {"running", "runny", 2}, {"running", "runner", 0},
               {"running", "runnings", 0}, {"run", "run", 3},      {"cat", "dog", -6}};
  for (const auto& c : cases) EXPECT_EQ(lx::EnglishMatchScore(c.key, c.headword), c.score) << c.key << "/" << c.headword;
}

TEST(MatchScores, RussianEndingsInTheirOrder) {
  struct Case {
    const char* key;
    const char* headword;
    int score;
  } cases[] = {
      {"новые", "новый", 5},       // rule 13: p 4, a 1
      {"новые", "новое", 3},       // p 3, rule 13
      {"большая", "большой", 7},  // rule 2 (ая/ой): p 5, a 2
      {"читает", "читать", 6},    // rule 8 (ет/ть): p 4, a 2
      {"стола", "стол", 5},        // rule 16: p 4, a 1 -> 10 - 5
      {"дом", "дом", 3},           // no rule
      {"я", "е", 1},               // rule 1 at the shortest lengths: p 0, a 1
      {"ая", "ой", -2},            // rule 2 needs three letters: no rule applies
  };
  for (const auto& c : cases)
    EXPECT_EQ(lx::RussianMatchScore(Cp(c.key), Cp(c.headword)), c.score) << c.key << "/" << c.headword;
  // Hyphens and spaces never count, on either side.
  for (const char* head : {"вопрос", "во-первых", "первый", "в общем"})
    EXPECT_EQ(lx::RussianMatchScore(Cp("во-первых"), Cp(head)), lx::RussianMatchScore(Cp("вопервых"), Cp(head))) << head;
}

TEST(FindHeadword, ExactNearAndNotFound) {
  const auto t = English({"ran", "run", "runner", "runny", "rust"});
  struct Case {
    const char* key;
    std::optional<int> position;
  } cases[] = {
      {"run", 2},      // exact, no scoring
      {"running", 2},  // insertion point runny (4): run scores 3, runner 0, runny 2
      {"aaa", 3},      // below the first headword; the longer "runner" scores 0 and wins
      {"zzz", std::nullopt},  // after the last headword: not found
      {"rusty", std::nullopt},  // after "rust", the last headword
      {"rung", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(lx::FindHeadword(t, c.key), c.position) << c.key;
  EXPECT_EQ(lx::FindExactHeadword(t, "runner"), 3);
  EXPECT_EQ(lx::FindExactHeadword(t, "Runner"), std::nullopt);
}

TEST(FindHeadword, RussianPicksTheDictionaryForm) {
  const auto t = Russian({"новое", "новость", "новый", "ночь"});
  EXPECT_EQ(lx::FindHeadword(t, Cp("новые")), 3);
  EXPECT_EQ(lx::FindHeadword(t, Cp("новый")), 3);
}

// Ties go to the candidate met first: k, k-1, k+1, k-2, k+2, ...; the window is 32 wide
// and clipped at both ends.
TEST(FindHeadword, TieOrderAndWindowClipping) {
  // "aq" stands before "ax" (k); "ab", "ax", "ay" all score -1: k keeps it.
  EXPECT_EQ(lx::FindHeadword(English({"ab", "ax", "ay", "az"}), "aq"), 2);
  // "mm" stands before "na" (k, -4); "am" and "xm" both score -1: the lower one wins.
  EXPECT_EQ(lx::FindHeadword(English({"am", "na", "xm"}), "mm"), 1);
  lx::DictTable t;
  for (int i = 0; i < 100; ++i) {
    char h[8];
    std::snprintf(h, sizeof h, "b%02d", i);
    t.Append({h, "", "", ""});
  }
  EXPECT_EQ(lx::FindHeadword(t, "b50x"), 51);  // b50 at k-1 matches fully
  EXPECT_EQ(lx::FindHeadword(t, "b98z"), 99);  // k is the last record; nothing past it is read
  // A key just after b43 stands at b44 (k, scores 0) and finds b43 at k-1.
  EXPECT_EQ(lx::FindHeadword(t, "b435"), 44);
}

// Each ending rule where it decides the score: the rule applies first, and without it
// a later rule (or none) would give another allowance. Rules 3, 4, 7 and 9 give what the
// general rule after them gives, and rules 22 and 24 are always preceded by rule 20, so
// their cases pin the allowance only.
TEST(MatchScores, EveryRussianEndingRule) {
  struct Case {
    const char* key;
    const char* headword;
    int score;
  } cases[] = {
      {"учился", "учение", 0},       // 1 я/е (rule 20 would give 2)
      {"большая", "большой", 7},    // 2 ая/ой
      {"новый", "новое", 3},         // 3 й/е
      {"книге", "книга", 5},         // 4 е/а
      {"землю", "земля", 5},         // 5 ю/я
      {"тетради", "тетрадь", 7},     // 6 и/ь
      {"окна", "окно", 4},           // 7 а/о
      {"читает", "читать", 6},       // 8 ет/ть
      {"новой", "новый", 3},         // 9 ой/ый
      {"написан", "написать", 8},    // 10 ан/ать
      {"окнах", "окно", 5},          // 11 ах/о
      {"тихом", "тихий", 5},         // 12 ом/ий
      {"новые", "новый", 5},         // 13 е
      {"синий", "синяя", 3},         // 14 й
      {"столы", "стол", 5},          // 15 ы
      {"стола", "стол", 5},          // 16 а
      {"столах", "стол", 4},         // 17 х
      {"столов", "стол", 6},         // 18 ов
      {"синим", "синий", 7},         // 19 им
      {"учится", "учить", 6},        // 20 ся
      {"сказано", "сказать", 9},     // 21 ано
      {"учиться", "учить", 7},       // 20 before 22 (ься would give 9)
      {"руками", "рука", 8},         // 23 ами
      // The minimum lengths: too short for the paired rule.
      {"ая", "ой", -2},
      {"ет", "ть", -2},
      {"ан", "ать", -1},
      {"ано", "ать", -1},
      {"ах", "о", 0},                // rule 11 needs three letters; rule 17 applies
  };
  for (const auto& c : cases)
    EXPECT_EQ(lx::RussianMatchScore(Cp(c.key), Cp(c.headword)), c.score) << c.key << "/" << c.headword;
}

// The near-match window reaches exactly 32 records on each side of the insertion point.
TEST(FindHeadword, WindowReachesThirtyTwoRecordsEachSide) {
  // Left: "abcdefh" (score 4) < fillers < key "abcdefi" < "abcdefj0" (k, right after
  // the fillers). Right: key "abcdefg" < fillers (the first is k) < "abcdefh" (score 4).
  // Fillers and "abcdefj0" are longer than the key and score 0.
  auto table = [](int fillers, bool left) {
    lx::DictTable t;
    if (left) t.Append({"abcdefh", "", "", ""});
    for (int i = 0; i < fillers; ++i) {
      char h[16];
      std::snprintf(h, sizeof h, left ? "abcdefh%02d" : "abcdefga%02d", i);
      t.Append({h, "", "", ""});
    }
    t.Append({left ? "abcdefj0" : "abcdefh", "", "", ""});
    return t;
  };
  struct Case {
    int fillers;
    bool left;
    const char* key;
    int position;
  } cases[] = {
      {31, true, "abcdefi", 1},    // "abcdefh" at k - 32
      {32, true, "abcdefi", 34},   // at k - 33: out of reach, k wins
      {31, false, "abcdefg", 32},  // "abcdefh" (score 4) at k + 31
      {32, false, "abcdefg", 33},  // at k + 32
      {33, false, "abcdefg", 1},   // at k + 33: out of reach, the first filler k wins
  };
  for (const auto& c : cases)
    EXPECT_EQ(lx::FindHeadword(table(c.fillers, c.left), c.key), c.position)
        << c.fillers << (c.left ? " left" : " right");
}

}  // namespace
