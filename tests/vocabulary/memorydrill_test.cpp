// The memorisation drill: the working set, the order of picks, "known" and the answer.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "dictionary/lookup.h"
#include "vocabulary/memorydrill.h"

namespace {

using lx::MemoryDrill;
using lx::WordList;

WordList Numbered(int n) {
  WordList list;
  for (int i = 1; i <= n; ++i) list.AppendWord("w" + std::to_string(i));
  return list;
}

lx::DrawFn Seeded(unsigned seed) {
  auto rng = std::make_shared<std::mt19937>(seed);
  return [rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(*rng); };
}

// With 40 unmarked words and a memory of 30 only the first 30 come; marking one
// known (and words marked before) lets the next ones in, in list order.
TEST(MemoryDrill, WorkingSetIsTheFirstUnmarkedWords) {
  WordList list = Numbered(40);
  list.at(3).mark = 'z';  // w3 is known: the set is w1, w2, w4 ... w31
  MemoryDrill drill;
  const lx::DrawFn draw = Seeded(1);
  std::set<std::string> seen;
  for (int i = 0; i < 600; ++i) {
    ASSERT_TRUE(drill.Next(list, true, draw));
    seen.insert(drill.current().word);
  }
  ASSERT_EQ(drill.workingSet().size(), 30u);
  EXPECT_EQ(drill.workingSet().back().position, 31u);
  EXPECT_EQ(seen.size(), 30u);
  EXPECT_FALSE(seen.count("w3"));
  EXPECT_TRUE(seen.count("w31"));
  EXPECT_FALSE(seen.count("w32"));
  // Marking the shown word known brings w32 in at the next rebuild.
  const std::string shown = drill.current().word;
  const auto marked = drill.Known(list);
  ASSERT_TRUE(marked);
  EXPECT_EQ(list.at(*marked).word, shown);
  EXPECT_EQ(list.at(*marked).mark, 'z');
  drill.Next(list, true, draw);
  EXPECT_EQ(drill.workingSet().back().entry.word, "w32");
  for (const auto& w : drill.workingSet()) EXPECT_NE(w.entry.word, shown);
}

// Random order never repeats the last picks: the newest one for W = 2 and 3 (so two
// words alternate strictly), the two newest for W = 4, the three newest from W = 5.
TEST(MemoryDrill, RandomPicksAvoidTheRecentOnes) {
  const struct {
    int words;
    size_t avoided;
  } cases[] = {{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 3}, {9, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    WordList list = Numbered(c.words);
    MemoryDrill drill;
    const lx::DrawFn draw = Seeded(static_cast<unsigned>(c.words));
    std::vector<int> picks;
    for (int i = 0; i < 400; ++i) {
      drill.Next(list, true, draw);
      const int pick = drill.recentPicks()[0];
      for (size_t back = 1; back <= c.avoided && back <= picks.size(); ++back)
        ASSERT_NE(pick, picks[picks.size() - back]) << "step " << i;
      picks.push_back(pick);
    }
    std::set<int> distinct(picks.begin(), picks.end());
    EXPECT_EQ(distinct.size(), static_cast<size_t>(c.words));
  }
}

// In order, the words come in list order and wrap; marking the shown word known
// skips one, because the next position counts in the rebuilt set.
TEST(MemoryDrill, SequentialOrderWrapsAndSkipsAfterKnown) {
  WordList list = Numbered(4);
  MemoryDrill drill;
  std::vector<std::string> shown;
  for (int i = 0; i < 5; ++i) {
    drill.Next(list, false, {});
    shown.push_back(drill.current().word);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"w1", "w2", "w3", "w4", "w1"}));
  drill.Next(list, false, {});
  ASSERT_EQ(drill.current().word, "w2");
  drill.Known(list);
  drill.Next(list, false, {});  // the set is now w1, w3, w4: position 3 is w4
  EXPECT_EQ(drill.current().word, "w4");
}

TEST(MemoryDrill, EmptySetAndKnownWithoutAPick) {
  WordList list = Numbered(2);
  MemoryDrill drill;
  EXPECT_FALSE(drill.Known(list));
  // The list reordered after the pick: the other word is not marked instead.
  drill.Next(list, false, {});
  list.SwapWithNext(1);
  EXPECT_FALSE(drill.Known(list));
  EXPECT_EQ(list.at(1).mark, ' ');
  list.at(1).mark = 'z';
  list.at(2).mark = 'x';  // any mark but a space counts as known
  EXPECT_FALSE(drill.Next(list, true, Seeded(2)));
  EXPECT_TRUE(drill.current().word.empty());
  EXPECT_FALSE(drill.Known(list));
}

TEST(MemoryDrill, MemorySizeFieldKeepsDigits) {
  const struct {
    const char* typed;
    const char* kept;
    int value;
  } cases[] = {{"5a0", "50", 50}, {"", "", 30}, {"abc", "", 30}, {"007", "007", 7},
               {"99999999999999999999999", "99999999999999999999999", 1000}, {"0", "0", 1}};
  for (const auto& c : cases) {
    const lx::MemorySizeText m = lx::ParseMemorySize(c.typed);
    EXPECT_EQ(m.digits, c.kept) << c.typed;
    EXPECT_EQ(m.value, c.value) << c.typed;
  }
}

std::string Joined(const lx::PanePieces& fragments) {
  std::string out;
  for (const auto& f : fragments) {
    out += std::to_string(f.code) + ":" + f.text;
    out += f.lineEnd ? "|\n" : " ";
  }
  return out;
}

class Answer : public ::testing::Test {
 protected:
  void SetUp() override {
    dict.Append({"bb", "bi:", "", ""});
    dict.Append({"run", "rAn", "", ""});
    dict.Append({"run", "second", "", ""});
    sounds.Append({"Bb", "", "b.mp3", 0, 100});
    sounds.Append({"run", "", "r.mp3", 0, 100});
  }
  MemoryDrill::Answer For(const WordList& list, const std::string& word) {
    MemoryDrill drill;
    // Sequential order from the start picks the first unmarked entry.
    WordList one;
    one.AppendWord(word);
    drill.Next(one, false, {});
    return drill.MakeAnswer(list, sounds, dict,
                            [this](std::string_view key) { return lx::FindExactHeadword(dict, key); });
  }
  lx::DictTable dict;
  lx::SoundIndex sounds;
};

// A word listed as noun and as verb shows both translations with their tags and
// the verb's forms under the verb's line; the transcription is the first match.
TEST_F(Answer, EveryEntryOfTheWordWithTagsAndForms) {
  WordList list;
  list.Append({2, ' ', "run", "бег", "", "", ""});
  list.Append({0, ' ', "walk", "ходьба", "", "", ""});
  list.Append({9, ' ', "run", "бежать", "ran", "run", "running"});
  list.Append({0, ' ', "run", "пробег", "", "", ""});
  const MemoryDrill::Answer a = For(list, "run");
  EXPECT_EQ(a.key, "run");
  EXPECT_EQ(a.soundEntry, 2);
  EXPECT_FALSE(a.speak);
  const std::string indent(13, ' ');
  EXPECT_EQ(Joined(a.lines),
            "3:|\n"
            "3:" + indent + " 5:[rAn] 3:|\n"
            "3:|\n"
            "3:" + indent + " 3:бег       6:(noun)|\n"
            "3:" + indent + " 3:бежать       6:(v)|\n"
            "3:" + indent + " 1:ran 3: |  1:run 3: |  1:running|\n"
            "3:" + indent + " 3:пробег|\n");
}

TEST_F(Answer, KeysOfLettersDigitsAndColons) {
  const struct {
    const char* word;
    const char* key;
    bool speak;
    int sound;
    const char* transcription;
  } cases[] = {
      {"b", "Bb", true, 1, "[bi:]"},
      {"a", "a", false, 0, "[]"},
      {"7", "7", false, 0, "[]"},
      {"ru:n", "run", false, 2, "[rAn]"},
      {"zzz", "zzz", false, 0, "[]"},  // not in the dictionary: empty brackets
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    const MemoryDrill::Answer a = For(WordList(), c.word);
    EXPECT_EQ(a.key, c.key);
    EXPECT_EQ(a.speak, c.speak);
    EXPECT_EQ(a.soundEntry, c.sound);
    ASSERT_GE(a.lines.size(), 3u);
    EXPECT_EQ(a.lines[2].text, c.transcription);
    EXPECT_EQ(a.lines[2].code, 5);
  }
}

}  // namespace
