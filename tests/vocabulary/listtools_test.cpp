// The whole-list commands: build from a text, quick translation, cut, merge, sorts.
#include <gtest/gtest.h>

#include <random>

#include "dictionary/lookup.h"
#include "vocabulary/listtools.h"

namespace {

using lx::tspi;
using lx::WordList;

lx::DictTable Dictionary(std::initializer_list<std::pair<const char*, const char*>> words) {
  lx::DictTable table;
  for (const auto& [headword, translation] : words) table.Append({headword, "", "", translation});
  return table;
}

std::vector<std::string> Words(const WordList& list) {
  std::vector<std::string> out;
  for (const tspi& e : list.entries()) out.push_back(e.word);
  return out;
}

TEST(BuildFromText, CountsFoldsAndStripsEndings) {
  const lx::DictTable dict = Dictionary({{"a", ""}, {"and", ""}, {"cat", ""}, {"jump", ""}, {"walk", ""},
                                         {"has", ""}, {"dog", ""}, {"\xea\xee\xf2", ""}});
  const lx::HeadwordIndex index(dict);
  const struct {
    const char* name;
    const char* text;
    std::vector<std::string> words;
  } cases[] = {
      // The first "cats" loses its s and adds cat; "a" is one letter; cat ends on 3.
      {"cats", "Cats, cats and a cat.", {"cat", "and"}},
      {"endings", "jumping walked runs running", {"jump", "walk"}},
      // "has" is too short to lose its s and is a headword itself; "hass" is not.
      {"short words", "has dogs", {"has", "dog"}},
      // Equal counts keep the order of first appearance; the more frequent go first.
      {"order", "dog has dog walk has dog", {"dog", "has", "walk"}},
      {"separators", "dog!cat\"walk'has(jump)and,dog-cat.walk:has;jump?and\tdog", {"dog", "cat", "walk", "has", "jump", "and"}},
      // Letter case is folded in both alphabets.
      {"folding", "DOG \xca\xce\xd2 Dog", {"dog", "\xea\xee\xf2"}},
      {"nothing known", "zebra quokka", {}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WordList list;
    lx::BuildFromText(c.text, index, list);
    EXPECT_EQ(Words(list), c.words);
    for (const tspi& e : list.entries()) {
      EXPECT_EQ(e.pos, lx::kPosNone);
      EXPECT_EQ(e.mark, ' ');
    }
  }
}

TEST(BuildFromText, ReplacesTheListAndReportsProgressToTheEnd) {
  const lx::DictTable dict = Dictionary({{"cat", ""}});
  const lx::HeadwordIndex index(dict);
  WordList list;
  list.AppendWord("old");
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "cat\r\n";
  std::vector<size_t> done;
  lx::BuildFromText(text, index, list, [&](size_t d, size_t total) {
    EXPECT_EQ(total, 1000u);
    done.push_back(d);
  });
  EXPECT_EQ(Words(list), std::vector<std::string>{"cat"});
  ASSERT_FALSE(done.empty());
  EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
  EXPECT_EQ(done.back(), 1000u);
  EXPECT_LE(done.size(), 101u);
}

// The index gives exactly the first match a scan of the table gives.
TEST(HeadwordIndex, SameFirstMatchAsTheScan) {
  std::mt19937 rng(7);
  lx::DictTable dict;
  for (int i = 0; i < 3000; ++i) {
    const std::string w(1 + rng() % 3, static_cast<char>('a' + rng() % 4));
    dict.Append({w + static_cast<char>('a' + rng() % 3), std::to_string(i), "", ""});
  }
  const lx::HeadwordIndex index(dict);
  for (int i = 0; i < 500; ++i) {
    const std::string key(1 + rng() % 4, static_cast<char>('a' + rng() % 5));
    EXPECT_EQ(index.Find(key), lx::FindExactHeadword(dict, key)) << key;
  }
  for (int n = 1; n <= dict.count(); n += 37)
    EXPECT_EQ(index.Find(dict.record(n).headword), lx::FindExactHeadword(dict, dict.record(n).headword));
}

TEST(QuickTranslate, FillsOnlyEmptyTranslationsOfExactHeadwords) {
  const lx::DictTable dict = Dictionary({{"cat", "кот\tкошка"}, {"cat", "second"}, {"dog", "пёс"}, {"sun", "солнце"}});
  const lx::HeadwordIndex index(dict);
  WordList list;
  list.Append({0, ' ', "cat", "", "", "", ""});
  list.Append({0, ' ', "dog", "собака", "", "", ""});  // kept
  list.Append({0, ' ', "Sun", "", "", "", ""});        // letter case counts
  list.Append({0, 'z', "sun", "", "", "", ""});
  list.Append({0, ' ', "moon", "", "", "", ""});
  int changes = 0;
  list.Subscribe([&] { ++changes; });
  EXPECT_EQ(lx::QuickTranslate(list, index), 2u);
  EXPECT_EQ(changes, 1);
  const std::vector<std::string> translations = {"кот кошка", "собака", "", "солнце", ""};
  for (size_t k = 1; k <= list.count(); ++k) EXPECT_EQ(list.at(k).translation, translations[k - 1]) << k;
}

// Cutting with a file that lists the verb go with its forms: every untagged or verb
// "go", and the untagged forms, go; the rest stays in order.
TEST(Cut, VerbAndItsForms) {
  WordList list;
  const tspi entries[] = {
      {9, ' ', "go", "идти", "went", "gone", ""}, {2, ' ', "go", "ход", "", "", ""},
      {0, ' ', "go", "", "", "", ""},             {0, ' ', "went", "", "", "", ""},
      {9, ' ', "went", "", "", "", ""},           {0, ' ', "gone", "", "", "", ""},
      {0, ' ', "going", "", "", "", ""},          {0, ' ', "Go", "", "", "", ""},
      {3, ' ', "big", "", "", "", ""},
  };
  for (const tspi& e : entries) list.Append(e);
  EXPECT_EQ(lx::CutLines("go\tv\tидти\twent\tgone\r\nbig\t\t\r\n", list), 5u);
  EXPECT_EQ(Words(list), (std::vector<std::string>{"go", "went", "going", "Go"}));
  EXPECT_EQ(list.at(1).pos, 2);
  EXPECT_EQ(list.at(2).pos, 9);
}

TEST(Merge, AppendsEveryLineWithDuplicatesUpToTheCapacity) {
  WordList list;
  list.AppendWord("cat");
  EXPECT_EQ(lx::MergeLines("cat\tnoun\t\r\ndog\t\t\tz\r\n", list), 0u);
  EXPECT_EQ(Words(list), (std::vector<std::string>{"cat", "cat", "dog"}));
  EXPECT_EQ(list.at(3).mark, 'z');
  while (list.count() < WordList::kCapacity - 1) list.Append({});
  EXPECT_EQ(lx::MergeLines("a\r\nb\r\nc\r\n", list), 2u);
  EXPECT_EQ(list.count(), WordList::kCapacity);
}

TEST(Sorts, StableByWordPartOfSpeechAndMark) {
  WordList list;
  const tspi entries[] = {
      {9, 'z', "b", "1", "", "", ""}, {0, ' ', "B", "2", "", "", ""}, {2, 'z', "a", "3", "", "", ""},
      {0, ' ', "\xe0", "4", "", "", ""}, {2, ' ', "b", "5", "", "", ""}, {9, 'x', "a", "6", "", "", ""},
  };
  auto order = [&] {
    std::string out;
    for (const tspi& e : list.entries()) out += e.translation;
    return out;
  };
  const struct {
    void (*sort)(WordList&);
    const char* expected;
  } cases[] = {
      // Bytes: upper case before lower case, Cyrillic (high bytes) last.
      {lx::SortByWord, "236154"},
      {lx::SortByPos, "243516"},
      // Space marks first, then "x" before "z", each group in its order.
      {lx::SortByMark, "245613"},
  };
  for (const auto& c : cases) {
    list.Assign({});
    for (const tspi& e : entries) list.Append(e);
    c.sort(list);
    EXPECT_EQ(order(), c.expected);
  }
}

}  // namespace
