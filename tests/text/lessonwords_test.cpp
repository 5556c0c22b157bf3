// Every click in a lesson text must answer: each English word has a dictionary
// article and a recording, each bracketed transcription a recording. Words are cut
// out of the texts as a click cuts them (standard word characters, style codes
// dropped, inline pictures as separators).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/dicttables.h"
#include "app/core/foldcase.h"
#include "app/core/soundindex.h"
#include "app/core/textfile.h"
#include "dictionary/lookup.h"
#include "dictionary/wordforms.h"
#ifdef LEXITAR_WITH_DRILLS
#include "drills/sentences.h"
#endif

namespace fs = std::filesystem;

namespace {

bool IsWordChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
         c == '-' || c == '\'' || c >= 192 || c == 168 || c == 184;
}

struct Picked {
  std::string word;  // as it stands in the text
  bool transcription = false;
  int code = 3;      // the style code of its first character
};

// The line as a pane shows it: "#d" style codes vanish, "#9x" becomes one picture
// (not a word character). `codes` gets the style code of every character.
std::string Rendered(const std::string& markup, std::vector<int>* codes = nullptr) {
  std::string out;
  int code = 3;  // every markup line starts in code 3
  for (size_t i = 0; i < markup.size(); ++i) {
    if (markup[i] == '#' && i + 1 < markup.size() && markup[i + 1] >= '0' && markup[i + 1] <= '9') {
      if (markup[i + 1] == '9') {
        out += '\x01';
        if (codes) codes->push_back(9);
        i += 2;
      } else {
        code = markup[i + 1] - '0';
        i += 1;
      }
      continue;
    }
    out += markup[i];
    if (codes) codes->push_back(code);
  }
  return out;
}

std::vector<Picked> PickAll(const std::string& markup) {
  std::vector<int> codes;
  const std::string line = Rendered(markup, &codes);
  std::vector<Picked> words;
  for (size_t i = 0; i < line.size();) {
    if (!IsWordChar(static_cast<unsigned char>(line[i]))) {
      ++i;
      continue;
    }
    size_t e = i;
    while (e < line.size() && IsWordChar(static_cast<unsigned char>(line[e]))) ++e;
    const bool bracketed = i > 0 && line[i - 1] == '[' && e < line.size() && line[e] == ']';
    words.push_back({line.substr(i, e - i), bracketed, codes[i]});
    i = e;
  }
  return words;
}

std::string KeyOf(const std::string& word) {
  std::string key;
  for (char c : lx::FoldLower(word))
    if (c != ':' && c != '\'') key += c;
  return key;
}

bool IsEnglish(const std::string& key) {
  return !key.empty() && ((key[0] >= 'a' && key[0] <= 'z'));
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// Regular inflection of a base: plural and third person (-s, -es, y -> -ies),
// past (-ed, -d, y -> -ied), -ing (with a final e dropped), comparison (-er, -est,
// -r, -st, y -> -ier/-iest), each also with the base's last consonant doubled; a
// possessive 's is an -s once the apostrophe is gone.
bool IsInflectionOf(const std::string& key, const std::string& base) {
  static const std::vector<std::string> kEndings{"s", "es", "ed", "d", "ing", "er", "est", "r", "st"};
  static const std::vector<std::string> kAfterY{"ies", "ied", "ier", "iest"};
  if (base.size() < 2 || key.size() <= base.size()) return false;
  std::vector<std::string> stems{base, base + base.back()};
  for (const auto& stem : stems)
    for (const auto& end : kEndings)
      if (key == stem + end) return true;
  const std::string cut = base.substr(0, base.size() - 1);
  if (base.back() == 'e' && key == cut + "ing") return true;
  if (base.back() == 'y')
    for (const auto& end : kAfterY)
      if (key == cut + end) return true;
  return false;
}

// The file names of lesson 3's two link phrases ("verbs.xls", "verbs.txt"): a click on
// them opens the file, not the dictionary.
bool IsLinkFileKey(const std::string& key) { return key == "xls" || key == "txt"; }

// Lesson 2 writes transcriptions in code 2 and the letters and letter groups it
// talks about ("ck - ", "before r") in code 1: those are spellings, not words.
bool InLesson2(const std::string& place) { return place.rfind("les2/", 0) == 0; }
int PhoneticCodeOf(const std::string& place) { return InLesson2(place) ? 2 : 5; }
bool IsSpelling(const std::string& place, const Picked& picked) { return InLesson2(place) && picked.code == 1; }

class LessonWords : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const lx::DataDir dir(fs::current_path().string());
    std::string bytes;
    loaded_ = lx::ReadFileBytes(dir.Path("data\\words.txt"), bytes);
    if (loaded_) sounds_.Load(bytes);
    loaded_ = loaded_ && lx::ReadFileBytes(dir.Path("data\\dict1.txt"), bytes);
    if (loaded_) dict_.Load(bytes);
    // The table of forms is optional: without it the regular endings still lead to lemmas.
    if (lx::ReadFileBytes(dir.Path("data\\forms.txt"), bytes)) forms_.Load(bytes);
  }

  static std::vector<fs::path> TextFiles() {
    std::vector<fs::path> files;
    const fs::path root = fs::path(LEXITAR_SOURCE_DIR) / "data" / "texts";
    if (fs::exists(root))
      for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file() && e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
  }

  // Calls fn(place, picked) for every word of every lesson text; place is "les3/t02.txt:14".
  template <typename Fn>
  static void ForEachWord(Fn&& fn) {
    for (const auto& file : TextFiles()) {
      std::string bytes;
      ASSERT_TRUE(lx::ReadFileBytes(file.string(), bytes)) << file;
      const std::string name = file.parent_path().filename().string() + "/" + file.filename().string();
      const auto lines = lx::SplitLines(bytes);
      for (size_t n = 0; n < lines.size(); ++n)
        for (const auto& picked : PickAll(lines[n])) fn(name + ":" + std::to_string(n + 1), picked);
    }
  }

  // The drill data files of Practice 3, as their lines show in the drill's pane: tabs
  // part fields and lines, braces and square brackets only pick the style.
  template <typename Fn>
  static void ForEachDrillWord(Fn&& fn) {
    for (const char* name : {"infowo.txt", "infowo2.txt", "infowo3.txt", "infowo4.txt"}) {
      std::string bytes;
      ASSERT_TRUE(lx::ReadFileBytes((fs::path(LEXITAR_SOURCE_DIR) / "data" / name).string(), bytes)) << name;
      const auto lines = lx::SplitLines(bytes);
      for (size_t n = 0; n < lines.size(); ++n) {
        std::string shown;
        for (char c : lines[n])
          if (c == '\t') shown += ' ';
          else if (c != '{' && c != '}' && c != '[' && c != ']') shown += c;
        for (const auto& picked : PickAll(shown)) fn(std::string(name) + ":" + std::to_string(n + 1), picked);
      }
    }
  }

  // Whether a click on the picked word shows its own article and is heard; what is
  // missing goes to `failures`. Returns false for words that are not checked.
  static bool CheckWord(const std::string& place, const Picked& picked, std::ostream& failures) {
    if (picked.transcription || IsSpelling(place, picked)) return false;
    const std::string key = KeyOf(picked.word);
    if (!IsEnglish(key) || IsLinkFileKey(key)) return false;
    CheckWord(place, picked.word, failures);
    return true;
  }

  static bool Headword(const std::string& key) { return lx::FindExactHeadword(dict_, key).has_value(); }
  static std::string NearMatch(const std::string& key) {
    const auto found = lx::FindHeadword(dict_, key);
    return found ? dict_.record(*found).headword : std::string("nothing");
  }
  static bool Recorded(const std::string& key) { return sounds_.FindWord(key) > 0; }

  // A click on the word shows its own article: the key is a headword, or the near
  // match lands on a headword that the key regularly inflects, or on the word itself
  // written with an apostrophe. A hyphenated word (twenty-one) shows its first part,
  // and every part must have an article of its own.
  static bool HasArticle(const std::string& key) {
    if (Headword(key) || kNoArticle.count(key)) return true;
    // The click path: a contraction, a form of the table or a regular ending leads to
    // the article of its dictionary form (stopped -> stop, oclock -> o'clock).
    switch (lx::LookUpEnglish(dict_, forms_, key).route) {
      case lx::LookupRoute::Contraction:
      case lx::LookupRoute::Form:
      case lx::LookupRoute::Ending: return true;
      default: break;
    }
    const auto found = lx::FindHeadword(dict_, key);
    if (!found) return false;
    const std::string& head = dict_.record(*found).headword;
    if (IsInflectionOf(key, head) || KeyOf(head) == key) return true;
    const size_t hyphen = key.find('-');
    if (hyphen == std::string::npos || hyphen == 0 || head != key.substr(0, hyphen)) return false;
    for (size_t start = 0; start <= key.size();) {
      const size_t end = std::min(key.find('-', start), key.size());
      if (end == start || !HasArticle(key.substr(start, end - start))) return false;
      start = end + 1;
    }
    return true;
  }

  // Contractions: the click looks up the key without the apostrophe (isnt), which
  // the dictionary does not hold; its near match shows one of the words the
  // contraction stands for (is). A contraction passes when its key is recorded and
  // the words it stands for have articles and recordings (is + not, we + will).
  static bool ContractionOk(const std::string& word) {
    static const std::map<std::string, std::vector<std::string>> kIrregular{
        {"can't", {"can", "not"}}, {"won't", {"will", "not"}}, {"shan't", {"shall", "not"}}};
    static const std::vector<std::pair<std::string, std::string>> kTails{
        {"n't", "not"}, {"'m", "am"}, {"'re", "are"}, {"'ve", "have"}, {"'ll", "will"}, {"'d", "would"},
        {"'s", "is"}};
    std::string lower;
    for (char c : lx::FoldLower(word))
      if (c != ':') lower += c;
    if (!Recorded(KeyOf(lower))) return false;
    std::vector<std::string> parts;
    if (const auto it = kIrregular.find(lower); it != kIrregular.end()) {
      parts = it->second;
    } else {
      for (const auto& [tail, full] : kTails)
        if (EndsWith(lower, tail) && lower.size() > tail.size()) {
          parts = {lower.substr(0, lower.size() - tail.size()), full};
          break;
        }
    }
    if (parts.empty()) return false;
    for (const auto& p : parts)
      if (!HasArticle(p) || !Recorded(p)) return false;
    return true;
  }

  // Appends to `failures` what a click on `word` would miss: its article or its recording.
  static void CheckWord(const std::string& place, const std::string& word, std::ostream& failures) {
    const std::string key = KeyOf(word);
    if (word.find('\'') != std::string::npos) {
      // A possessive or o'clock passes as a word; a contraction by the words it stands for.
      if (!(HasArticle(key) && Recorded(key)) && !ContractionOk(word))
        failures << place << " " << word << ": no article or recording (nor the words it contracts)\n";
      return;
    }
    if (!HasArticle(key)) failures << place << " " << word << ": no article (shows " << NearMatch(key) << ")\n";
    if (!Recorded(key)) failures << place << " " << word << ": no recording\n";
  }

  // Forms a beginner's text cannot do without that the dictionary has no headword
  // for (a click shows the near match: doe, eight); they must still sound.
  static inline const std::set<std::string> kNoArticle{"does", "eighteen", "eighth"};
  static inline lx::SoundIndex sounds_;
  static inline lx::DictTable dict_;
  static inline lx::WordForms forms_;
  static inline bool loaded_ = false;
};

TEST(LessonWordCutter, CutsWordsAsAClickDoes) {
  const auto words = PickAll("#4an hour #5['auq]#3 - \xf7\xe0\xf1, #4don't#9l a-b,#11. [x] [ a ]");
  std::vector<std::string> got;
  for (const auto& w : words) got.push_back((w.transcription ? "[" : "") + w.word);
  EXPECT_EQ(got, (std::vector<std::string>{"an", "hour", "['auq", "-", "\xf7\xe0\xf1", "don't", "a-b", "1",
                                           "[x", "a"}));
  EXPECT_EQ(KeyOf("O'Clock:"), "oclock");
}

TEST(LessonWordCutter, RegularInflections) {
  struct Case {
    const char* key;
    const char* base;
    bool inflected;
  } cases[] = {
      {"books", "book", true},    {"boxes", "box", true},     {"cities", "city", true},
      {"played", "play", true},   {"lived", "live", true},    {"stopped", "stop", true},
      {"studied", "study", true}, {"making", "make", true},   {"running", "run", true},
      {"bigger", "big", true},    {"nicest", "nice", true},   {"happiest", "happy", true},
      {"toms", "tom", true},      {"book", "book", false},    {"bookcase", "book", false},
      {"doe", "do", false},       {"cats", "cat", true},      {"caterpillar", "cat", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsInflectionOf(c.key, c.base), c.inflected) << c.key;
}

TEST_F(LessonWords, EveryEnglishWordHasAnArticleAndASound) {
  ASSERT_TRUE(loaded_) << "data/words.txt or data/dict1.txt is missing: build the course data (tools/build-data.sh)";
  ASSERT_GT(dict_.count(), 1000);
  int checked = 0;
  std::ostringstream failures;
  ForEachWord([&](const std::string& place, const Picked& picked) {
    if (CheckWord(place, picked, failures)) ++checked;
  });
  EXPECT_GT(checked, 1000);
  EXPECT_EQ(failures.str(), "");
}

#ifdef LEXITAR_WITH_DRILLS
// The drills' subjects and verb forms are words of their panes too. Every subject
// word, every base form and every irregular form has its article; every form is
// recorded. A regular form (counts, stopped) passes on its base's article: the near
// match of the dictionary window looks only 32 headwords either way and does not
// always reach the base (counter, countess... stand between count and counts).
TEST_F(LessonWords, EveryWordOfTheDrillTablesHasAnArticleAndASound) {
  ASSERT_TRUE(loaded_) << "data/words.txt or data/dict1.txt is missing: build the course data (tools/build-data.sh)";
  const std::string data = std::string(LEXITAR_SOURCE_DIR) + "/data/";
  std::ostringstream failures;
  int checked = 0;
  for (const auto& group : lx::LoadNounGroups(data + "noun.txt").groups)
    for (const lx::NounEntry& e : group)
      for (const Picked& picked : PickAll(e.english)) {
        ++checked;
        CheckWord("noun.txt", picked.word, failures);
      }
  for (const lx::VerbEntry& v : lx::LoadVerbTable(data + "verb.txt").verbs)
    for (const std::string* form : {&v.base, &v.past, &v.participle, &v.ing, &v.third}) {
      ++checked;
      const std::string key = KeyOf(*form);
      if (*form != v.base && IsInflectionOf(key, v.base) && !HasArticle(key)) {
        if (!Recorded(key)) failures << "verb.txt " << *form << ": no recording\n";
        continue;  // the base is checked as a form of its own
      }
      CheckWord("verb.txt", *form, failures);
    }
  EXPECT_GT(checked, 750);
  EXPECT_EQ(failures.str(), "");
}
#endif

TEST_F(LessonWords, EveryEnglishWordOfTheDrillDataHasAnArticleAndASound) {
  ASSERT_TRUE(loaded_) << "data/words.txt or data/dict1.txt is missing: build the course data (tools/build-data.sh)";
  int checked = 0;
  std::ostringstream failures;
  ForEachDrillWord([&](const std::string& place, const Picked& picked) {
    if (CheckWord(place, picked, failures)) ++checked;
  });
  EXPECT_GT(checked, 2500);
  EXPECT_EQ(failures.str(), "");
}

// The irregular verbs are lesson 3's verb list, forms and all. The dictionary has no
// headword for many -ing forms and some participles (a click shows the nearest one),
// so the base must have its article and every form its recording.
TEST_F(LessonWords, EveryIrregularVerbHasAnArticleAndEveryFormASound) {
  ASSERT_TRUE(loaded_) << "data/words.txt or data/dict1.txt is missing: build the course data (tools/build-data.sh)";
  std::string bytes;
  ASSERT_TRUE(lx::ReadFileBytes((fs::path(LEXITAR_SOURCE_DIR) / "data" / "infowo5.txt").string(), bytes));
  const auto lines = lx::SplitLines(bytes);
  ASSERT_GE(lines.size(), 150u);
  std::ostringstream failures;
  for (size_t n = 0; n < lines.size(); ++n) {
    const auto fields = lx::SplitFields(lines[n]);
    ASSERT_GE(fields.size(), 4u) << "infowo5.txt:" << n + 1;
    const std::string place = "infowo5.txt:" + std::to_string(n + 1);
    for (const auto& picked : PickAll(fields[0])) CheckWord(place, picked, failures);
    for (size_t f = 1; f < 4; ++f)
      for (const auto& picked : PickAll(fields[f]))
        if (!Recorded(KeyOf(picked.word))) failures << place << " " << picked.word << ": no recording\n";
  }
  EXPECT_EQ(failures.str(), "");
}

TEST_F(LessonWords, EveryTranscriptionIsRecorded) {
  ASSERT_TRUE(loaded_) << "data/words.txt or data/dict1.txt is missing: build the course data (tools/build-data.sh)";
  int checked = 0;
  std::ostringstream failures;
  ForEachWord([&](const std::string& place, const Picked& picked) {
    if (!picked.transcription) return;
    ++checked;
    if (sounds_.FindTranscription(picked.word) == 0) failures << place << " [" << picked.word << "]\n";
  });
  EXPECT_GT(checked, 100);
  EXPECT_EQ(failures.str(), "");
}

// A transcription in another code is drawn in an ordinary face, not the phonetic one.
TEST_F(LessonWords, TranscriptionsAreInTheLessonsPhoneticCode) {
  std::ostringstream failures;
  ForEachWord([&](const std::string& place, const Picked& picked) {
    if (picked.transcription && picked.code != PhoneticCodeOf(place))
      failures << place << " [" << picked.word << "] in code " << picked.code << "\n";
  });
  EXPECT_EQ(failures.str(), "");
}

// Lesson 2's topics: a line per reading of a letter or per entry of a combination
// topic, in the form the window renders.
struct Example {
  std::string word;                  // the letters without codes
  std::vector<std::string> marked;   // the pieces in code 8
  std::vector<bool> inMark;          // per letter: in code 8
};

// "m#8a#3ke" -> make, marked {"a"}.
Example ParseExample(const std::string& markup) {
  Example e;
  std::vector<int> codes;
  e.word = Rendered(markup, &codes);
  for (size_t i = 0; i < e.word.size(); ++i) {
    e.inMark.push_back(codes[i] == 8);
    if (codes[i] != 8) continue;
    if (i == 0 || codes[i - 1] != 8) e.marked.emplace_back();
    e.marked.back() += e.word[i];
  }
  return e;
}

std::vector<Example> ParseExamples(const std::string& list) {
  std::vector<Example> examples;
  for (size_t start = 0; start <= list.size();) {
    const size_t end = std::min(list.find(", ", start), list.size());
    examples.push_back(ParseExample(list.substr(start, end - start)));
    start = end + 2;
  }
  return examples;
}

struct Topic {
  int id;
  const char* letters;  // a letter topic: its letter; a combination topic: nullptr
  size_t entries;
};

// The readings per letter and the entries per combination topic as shipped.
const Topic kTopics[] = {
    {2, "a", 5},  {3, "e", 5},  {4, "i", 4},  {5, "y", 5},  {6, "o", 4},       {7, "u", 4},
    {8, "c", 2},  {9, "g", 2},  {10, "x", 2}, {11, "s", 2}, {12, "q", 2},      {13, nullptr, 16},
    {14, nullptr, 5}, {15, nullptr, 11}, {16, nullptr, 17},
};

struct Entry {
  std::string transcription;
  std::vector<std::string> groups;  // a combination entry: its letter groups
  std::vector<Example> examples;
};

// The entries of a topic; a line that is not in the topic's form is reported.
std::vector<Entry> ReadTopic(const Topic& topic, std::ostringstream& failures) {
  static const std::regex kReading("#2\\[([A-Za-z:']+)\\]#1 - [^#]+#3 \\((.+)\\)");
  static const std::regex kCombination("#1([a-z, ]+) - #2\\[([A-Za-z:']+)\\] (#1\\([^#]+\\) )?#3\\((.+)\\)");
  char name[16];
  std::snprintf(name, sizeof name, "t%02d.txt", topic.id);
  const fs::path path = fs::path(LEXITAR_SOURCE_DIR) / "data" / "texts" / "les2" / name;
  std::string bytes;
  if (!lx::ReadFileBytes(path.string(), bytes)) {
    failures << path << " cannot be read\n";
    return {};
  }
  std::vector<Entry> entries;
  bool heading = topic.letters == nullptr;  // a combination topic opens with its heading in code 5
  for (const std::string& line : lx::SplitLines(bytes)) {
    if (line.empty()) continue;
    const std::string place = std::string(name) + ": " + line + "\n";
    if (heading) {
      if (line.rfind("#5", 0) != 0) failures << "no heading in code 5: " << place;
      heading = false;
      continue;
    }
    std::smatch m;
    Entry entry;
    if (topic.letters && std::regex_match(line, m, kReading)) {
      entry = {m[1], {}, ParseExamples(m[2])};
    } else if (!topic.letters && std::regex_match(line, m, kCombination)) {
      const std::string list = m[1];
      std::vector<std::string> groups;
      for (size_t start = 0; start < list.size();) {
        const size_t end = std::min(list.find(", ", start), list.size());
        groups.push_back(list.substr(start, end - start));
        start = end + 2;
      }
      entry = {m[2], groups, ParseExamples(m[4])};
    } else {
      failures << "not in the form of an entry: " << place;
      continue;
    }
    entries.push_back(entry);
  }
  return entries;
}

TEST(Lesson2Topics, ShippedCountsAndForm) {
  std::ostringstream failures;
  for (const Topic& topic : kTopics) {
    SCOPED_TRACE(topic.id);
    const auto entries = ReadTopic(topic, failures);
    EXPECT_EQ(entries.size(), topic.entries);
    for (const Entry& entry : entries) {
      EXPECT_GE(entry.examples.size(), 3u) << "[" << entry.transcription << "]";
      for (const Example& e : entry.examples) {
        const std::string where = "t" + std::to_string(topic.id) + " [" + entry.transcription + "] " + e.word + ": ";
        if (e.marked.empty()) failures << where << "nothing marked\n";
        if (topic.letters) {
          // Every occurrence of the taught letter is marked.
          for (size_t i = 0; i < e.word.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(e.word[i])) == topic.letters[0] && !e.inMark[i])
              failures << where << "an unmarked " << topic.letters << "\n";
        } else {
          // The marks are the entry's letter groups.
          for (const std::string& mark : e.marked)
            if (std::find(entry.groups.begin(), entry.groups.end(), lx::FoldLower(mark)) == entry.groups.end())
              failures << where << "marks " << mark << ", not one of its groups\n";
        }
      }
    }
  }
  EXPECT_EQ(failures.str(), "");
}

// The example words of lesson 2 are headwords with a recording, and the sound of
// their reading is in the transcription the sound index holds for them.
TEST_F(LessonWords, Lesson2ExamplesHaveTheirReading) {
  ASSERT_TRUE(loaded_) << "data/words.txt or data/dict1.txt is missing: build the course data (tools/build-data.sh)";
  std::ostringstream failures;
  for (const Topic& topic : kTopics) {
    for (const Entry& entry : ReadTopic(topic, failures)) {
      for (const Example& e : entry.examples) {
        const std::string key = KeyOf(e.word);
        const std::string where = "t" + std::to_string(topic.id) + " [" + entry.transcription + "] " + e.word + ": ";
        if (!Headword(key)) failures << where << "no headword (shows " << NearMatch(key) << ")\n";
        const int n = sounds_.FindWord(key);
        if (n <= 0) {
          failures << where << "no recording\n";
          continue;
        }
        std::string heard;
        for (char c : sounds_.entry(n).transcription)
          if (c != '\'') heard += c;
        if (heard.find(entry.transcription) == std::string::npos)
          failures << where << "recorded as [" << sounds_.entry(n).transcription << "]\n";
      }
    }
  }
  EXPECT_EQ(failures.str(), "");
}

}  // namespace
