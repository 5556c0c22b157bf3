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

}  // namespace
