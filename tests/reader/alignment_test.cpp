#include <gtest/gtest.h>

#include <random>

#include "literal_alignment.h"
#include "sentence_tables.h"
#include "reader/alignment.h"

namespace {

using lx::SentenceTable;

using lx::test::TableOfLengths;

std::vector<int32_t> WithDummy(const SentenceTable& t) {
  std::vector<int32_t> out{0};
  for (const auto& b : t.boundaries) out.push_back(b.length);
  return out;
}

std::vector<int32_t> Partners(const SentenceTable& t) {
  std::vector<int32_t> out{0};
  for (const auto& b : t.boundaries) out.push_back(b.partner);
  return out;
}

// A text of `n` sentences of the given lengths ("aaaa." each, then a space).
std::string TextOf(const std::vector<int32_t>& lengths) {
  std::string s;
  for (int32_t len : lengths) s += std::string(static_cast<size_t>(len) - 1, 'a') + ". ";
  return s;
}

TEST(SentenceSplit, CounterRule) {
  struct Case {
    const char* text;
    std::vector<lx::SentenceBoundary> boundaries;
  };
  const Case cases[] = {
      {"", {{0, 0, 0}}},
      {"a. b.", {{0, 0, 0}, {5, 4, 0}}},
      {"Hi! Go? Ok.", {{0, 0, 0}, {3, 2, 0}, {7, 3, 0}, {11, 3, 0}}},
      // The stops of an ellipsis count in the next sentence.
      {"Wait... and see.", {{0, 0, 0}, {5, 4, 0}, {16, 10, 0}}},
      {"Wait.... so.", {{0, 0, 0}, {5, 4, 0}, {8, 2, 0}, {12, 3, 0}}},
      {"No end here", {{0, 0, 0}}},
      {"One.\r\nTwo.", {{0, 0, 0}, {4, 3, 0}, {10, 5, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(lx::SplitSentences(c.text).boundaries, c.boundaries) << c.text;

  std::string many;
  for (int i = 0; i < 12000; ++i) many += "ab.";
  EXPECT_EQ(lx::SplitSentences(many).count(), static_cast<int32_t>(SentenceTable::kMaxBoundaries));
}

TEST(SentenceAlignment, Validity) {
  struct Case {
    int32_t english, russian;
    bool valid;
  };
  const Case cases[] = {{10, 10, true},  {9, 10, false},  {10, 9, false},  {100, 150, false},
                        {100, 130, true}, {130, 100, true}, {131, 100, false}, {70, 100, true},
                        {69, 100, false}};
  for (const Case& c : cases) {
    lx::SentenceAlignment a;
    a.SplitEnglish(TextOf(std::vector<int32_t>(static_cast<size_t>(c.english), 20)));
    EXPECT_FALSE(a.valid());
    a.SplitRussian(TextOf(std::vector<int32_t>(static_cast<size_t>(c.russian), 25)));
    EXPECT_EQ(a.valid(), c.valid) << c.english << "/" << c.russian;
    if (c.valid) {
      for (const auto& b : a.english().boundaries) {
        EXPECT_GE(b.partner, 1);
        EXPECT_LE(b.partner, a.russian().count());
      }
    }
  }
}

TEST(SentenceAlignment, EqualCountsAlignOneToOne) {
  SentenceTable e = TableOfLengths({5, 90, 3, 40, 7, 200, 1, 1, 60, 9, 12});
  SentenceTable r = TableOfLengths({80, 2, 70, 4, 4, 9, 300, 5, 5, 2, 40});
  lx::AlignTexts(e, r);
  for (int32_t k = 1; k <= e.count(); ++k) {
    EXPECT_EQ(e.at(k).partner, k);
    EXPECT_EQ(r.at(k).partner, k);
  }
}

TEST(SentenceAlignment, FirstStepIsOnePastTheExpected) {
  std::mt19937 rng(5);
  std::vector<int32_t> le{0}, lr{0};
  for (int i = 0; i < 60; ++i) le.push_back(static_cast<int32_t>(rng() % 100 + 1));
  for (int i = 0; i < 70; ++i) lr.push_back(static_cast<int32_t>(rng() % 100 + 1));
  // Near the end (n <= 2) and at k = 1 the search cannot move.
  for (const auto& [k, e] : std::vector<std::pair<int32_t, int32_t>>{{1, 1}, {59, 68}, {60, 70}, {61, 3}}) {
    std::vector<int32_t> a(le.begin() + 1, le.end()), b(lr.begin() + 1, lr.end());
    EXPECT_EQ(lx::FindAlignmentStep(a, b, k, e), e + 1) << k;
  }
}

// The fast search gives the literal result, step by step and partner by partner,
// on random length sequences with inserted and dropped sentences.
TEST(SentenceAlignment, MatchesTheLiteralTranscription) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 60; ++round) {
    const int32_t base = 11 + static_cast<int32_t>(rng() % 400);
    std::vector<int32_t> en, ru;
    for (int32_t i = 0; i < base; ++i) {
      // Every fifth round has sentences of two or three characters: costs tie everywhere.
      const bool ties = round % 5 == 1;
      const int32_t len = ties ? 2 + static_cast<int32_t>(rng() % 2) : 5 + static_cast<int32_t>(rng() % 150);
      en.push_back(len);
      const uint32_t what = rng() % 10;
      if (what == 0) continue;  // a sentence the translation merges away
      const int32_t ruLen = ties ? 2 + static_cast<int32_t>(rng() % 2) : len + static_cast<int32_t>(rng() % 41) - 20;
      ru.push_back(std::max(1, ruLen));
      if (what == 1) ru.push_back(5 + static_cast<int32_t>(rng() % 80));  // a split sentence
    }
    if (round % 7 == 0) std::shuffle(ru.begin(), ru.end(), rng);  // nothing to match at all
    SentenceTable e = TableOfLengths(en), r = TableOfLengths(ru);
    const std::vector<int32_t> le = WithDummy(e), lr = WithDummy(r);
    std::vector<int32_t> pe, pr;
    literal::AlignTexts(pe, pr, le, lr);
    lx::AlignTexts(e, r);
    ASSERT_EQ(Partners(e), pe) << "round " << round;
    ASSERT_EQ(Partners(r), pr) << "round " << round;

    const std::vector<int32_t> a(le.begin() + 1, le.end()), b(lr.begin() + 1, lr.end());
    for (int i = 0; i < 20; ++i) {
      const int32_t k = 1 + static_cast<int32_t>(rng() % static_cast<uint32_t>(e.count()));
      const int32_t ex = static_cast<int32_t>(rng() % static_cast<uint32_t>(r.count() + 40)) - 20;
      ASSERT_EQ(lx::FindAlignmentStep(a, b, k, ex),
                literal::FindAlignmentStep(le, lr, e.count(), r.count(), k, ex))
          << "k " << k << " e " << ex;
    }
  }
}

// Filling the English boundaries past the path's last deviation must not move a
// Russian partner the path already gave: a click in such a Russian sentence would
// land one English sentence too far.
TEST(SentenceAlignment, PartnersThePathGaveAreKept) {
  std::mt19937 rng(77);
  int checked = 0;
  for (int round = 0; round < 300; ++round) {
    const int32_t base = 11 + static_cast<int32_t>(rng() % 120);
    std::vector<int32_t> en, ru;
    for (int32_t i = 0; i < base; ++i) {
      const int32_t len = 5 + static_cast<int32_t>(rng() % 150);
      en.push_back(len);
      const uint32_t what = rng() % 8;
      if (what == 0) continue;
      ru.push_back(std::max(1, len + static_cast<int32_t>(rng() % 31) - 15));
      if (what == 1) ru.push_back(5 + static_cast<int32_t>(rng() % 80));
    }
    if (en.size() == ru.size()) continue;
    SentenceTable e = TableOfLengths(en), r = TableOfLengths(ru);
    const std::vector<int32_t> le = WithDummy(e), lr = WithDummy(r);
    std::vector<int32_t> pe, pr;
    int32_t off = 0, last = 0;
    literal::PathPartners(pe, pr, le, lr, off, last);
    lx::AlignTexts(e, r);
    for (int32_t k = 1; k <= r.count(); ++k) {
      if (pr[static_cast<size_t>(k)] == 0) continue;
      ++checked;
      ASSERT_EQ(r.at(k).partner, std::clamp(pr[static_cast<size_t>(k)], 1, e.count()))
          << "round " << round << " Russian boundary " << k << " of " << r.count();
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(SentenceAlignment, BoundaryOfOffset) {
  const SentenceTable t = lx::SplitSentences("Ab. Cd. Ef.");  // ends 3, 7, 11
  const std::pair<int32_t, int32_t> cases[] = {{-5, 1}, {0, 1}, {1, 1}, {3, 1}, {4, 2},
                                               {7, 2},  {8, 3}, {11, 3}, {12, 4}, {999, 4}};
  for (const auto& [p, k] : cases) EXPECT_EQ(lx::BoundaryOfOffset(t, p), k) << p;
  EXPECT_EQ(lx::BoundaryOfOffset(SentenceTable{}, 5), 0);
}

TEST(SentenceAlignment, PartnerExcerpt) {
  const std::string ru = "One. Two. Three. Four. Five. Six. Seven. Eight.";
  SentenceTable b = lx::SplitSentences(ru);  // 9 boundaries
  SentenceTable a;
  a.boundaries = {{0, 0, 1}, {10, 9, 4}, {20, 9, 9}, {30, 9, 0}, {40, 9, 50}};
  struct Case {
    int32_t boundary, quickStart, quickEnd, caret;
    const char* text;
  };
  const Case cases[] = {
      // Partner 4 ends "Three.": the sentence before it, it and four after.
      {2, -1, 4, 16, "Three. Four. Five. Six. Seven. Eight."},
      {2, 0, 1, 16, "Four. Five. "},
      {1, -1, 4, 0, "One. Two. Three. Four. Five."},
      {1, -5, 0, 0, "One."},
      // Partners past the table are clamped.
      {3, -1, 4, 47, "Eight."},
      {4, -1, 4, 0, "One. Two. Three. Four. Five."},
      {5, -3, 4, 47, "Six. Seven. Eight."},
      {2, 3, 1, 16, ""},
  };
  for (const Case& c : cases) {
    const lx::PartnerExcerpt x = lx::PartnerExcerptOf(a, b, ru, c.boundary, c.quickStart, c.quickEnd);
    EXPECT_EQ(x.caret, c.caret) << c.boundary << " " << c.quickStart << " " << c.quickEnd;
    EXPECT_EQ(x.text, c.text) << c.boundary << " " << c.quickStart << " " << c.quickEnd;
  }
  EXPECT_EQ(lx::PartnerExcerptOf(a, b, "short", 2).text, "");
  EXPECT_EQ(lx::PartnerExcerptOf(a, SentenceTable{}, ru, 2).text, "");
  EXPECT_EQ(lx::PartnerExcerptOf(a, b, ru, 9).text, "");
}

}  // namespace
