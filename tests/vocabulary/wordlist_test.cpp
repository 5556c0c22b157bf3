#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/core/errors.h"
#include "app/core/textfile.h"
#include "vocabulary/wordlist.h"

namespace {

using lx::tspi;
using lx::WordList;

struct LineCase {
  const char* line;
  lx::PosCode pos;
  char mark;
  const char* word;
  const char* translation;
  const char* form2;
  const char* form3;
  const char* form4;
  const char* writtenBack;
};

// How each kind of line loads, and what a save writes for it.
TEST(WordLine, ParsesAndWritesBack) {
  const LineCase cases[] = {
      {"cat\tnoun\t\xea\xee\xf8\xea\xe0", 2, ' ', "cat", "\xea\xee\xf8\xea\xe0", "", "", "",
       "cat\tnoun\t\xea\xee\xf8\xea\xe0"},
      {"cat\tnoun\tkoshka\tz", 2, 'z', "cat", "koshka", "", "", "", "cat\tnoun\tkoshka\tz"},
      // A verb needs the seventh field for its mark.
      {"go\tv\tidti\twent\tgone\tgoing\tz", 9, 'z', "go", "idti", "went", "gone", "going",
       "go\tv\tidti\twent\tgone\tgoing\tz"},
      {"go\tv\tidti\tz", 9, ' ', "go", "idti", "z", "", "", "go\tv\tidti\tz\t\t"},
      // Three fields of a verb: forms empty, written back as three empty fields.
      {"see\tv\tvidet", 9, ' ', "see", "videt", "", "", "", "see\tv\tvidet\t\t\t"},
      // Tags are case-sensitive.
      {"Dog\tNoun\tpyos", 0, ' ', "Dog", "pyos", "", "", "", "Dog\t\tpyos"},
      // Another mark counts as known but is not written.
      {"big\tadj\tbolshoy\tx", 3, 'x', "big", "bolshoy", "", "", "", "big\tadj\tbolshoy"},
      // Forms in a non-verb line are kept in memory but not saved.
      {"a\tartic\t\tz\tf3\tf4", 1, 'z', "a", "", "", "f3", "f4", "a\tartic\t\tz"},
      {"", 0, ' ', "", "", "", "", "", "\t\t"},
      {"only", 0, ' ', "only", "", "", "", "", "only\t\t"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    const tspi e = lx::ParseWordLine(c.line);
    EXPECT_EQ(e.pos, c.pos);
    EXPECT_EQ(e.mark, c.mark);
    EXPECT_EQ(e.word, c.word);
    EXPECT_EQ(e.translation, c.translation);
    EXPECT_EQ(e.form2, c.form2);
    EXPECT_EQ(e.form3, c.form3);
    EXPECT_EQ(e.form4, c.form4);
    EXPECT_EQ(lx::FormatWordLine(e), c.writtenBack);
  }
}

TEST(WordLine, EveryTagRoundTrips) {
  for (lx::PosCode code = 1; code <= 9; ++code) {
    EXPECT_EQ(lx::PosFromTag(lx::PosTag(code)), code);
  }
  EXPECT_EQ(lx::PosTag(0), "");
  EXPECT_EQ(lx::PosTag(10), "");
  EXPECT_EQ(lx::PosFromTag("verb"), 0);
}

TEST(WordLine, HundredsOfFieldsAndLongLinesAreSafe) {
  std::string line = "w\tv\tt\t2\t3\t4\tz";
  for (int i = 0; i < 200; ++i) line += "\textra";
  const tspi e = lx::ParseWordLine(line);
  EXPECT_EQ(e.form4, "4");
  EXPECT_EQ(e.mark, 'z');

  const std::string longWord(100000, 'a');
  EXPECT_EQ(lx::ParseWordLine(longWord + "\tnoun").word, longWord);
}

TEST(WordList, Primitives) {
  WordList list;
  EXPECT_TRUE(list.AppendWord("run"));
  EXPECT_FALSE(list.AppendWord("run"));
  EXPECT_TRUE(list.AppendWord("Run"));
  ASSERT_EQ(list.count(), 2u);
  EXPECT_EQ(list.at(2).word, "Run");
  EXPECT_EQ(list.at(2).mark, ' ');

  EXPECT_TRUE(list.InsertEmpty(1));
  EXPECT_EQ(list.at(1), tspi{});
  EXPECT_EQ(list.at(2).word, "run");
  EXPECT_TRUE(list.InsertEmpty(4));
  EXPECT_FALSE(list.InsertEmpty(6));
  EXPECT_FALSE(list.InsertEmpty(0));

  EXPECT_TRUE(list.SwapWithNext(2));
  EXPECT_EQ(list.at(2).word, "Run");
  EXPECT_EQ(list.at(3).word, "run");
  EXPECT_FALSE(list.SwapWithNext(4));

  EXPECT_TRUE(list.Delete(1));
  EXPECT_EQ(list.at(1).word, "Run");
  EXPECT_FALSE(list.Delete(4));
  EXPECT_EQ(list.count(), 3u);
  list.Clear();
  EXPECT_TRUE(list.empty());
}

TEST(WordList, CapacityStopsReadingAndAppending) {
  std::string bytes;
  for (size_t i = 0; i < WordList::kCapacity + 7; ++i) bytes += "w" + std::to_string(i) + "\r\n";
  WordList list;
  EXPECT_EQ(lx::AppendWordLines(bytes, list), 7u);
  EXPECT_EQ(list.count(), WordList::kCapacity);
  EXPECT_EQ(list.at(WordList::kCapacity).word, "w49999");
  EXPECT_FALSE(list.AppendWord("new"));
  EXPECT_FALSE(list.InsertEmpty(1));
  EXPECT_EQ(list.count(), WordList::kCapacity);
}

TEST(WordList, FileTextLayout) {
  WordList list;
  EXPECT_EQ(lx::FormatWordList(list), "");
  // No final line end, a lone LF and an empty line in the middle.
  lx::AppendWordLines("a\tnoun\tx\r\n\nb\tadj\ty\tz", list);
  ASSERT_EQ(list.count(), 3u);
  EXPECT_EQ(list.at(2), tspi{});
  EXPECT_EQ(lx::FormatWordList(list), "a\tnoun\tx\r\n\t\t\r\nb\tadj\ty\tz\r\n");
}

TEST(WordList, FileNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"list", "list.txt"}, {"LIST.TXT", "LIST.TXT"}, {"a.b", "a.b.txt"},
      {"txt", "txt.txt"},   {".txt", ".txt"},         {"", ".txt"},
      {"w.Txt", "w.Txt"},   {"w.txt.bak", "w.txt.bak.txt"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(lx::WithTxtExtension(in), out) << in;
}

class WordListFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lexitar-wordlist-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

// Save then load gives back words, tags, translations, verb forms and "z" marks.
TEST_F(WordListFiles, RandomListsRoundTrip) {
  std::mt19937 rng(12345);
  auto text = [&](size_t maxLen) {
    std::string s(rng() % (maxLen + 1), ' ');
    // Any byte but tab, CR and LF.
    for (char& c : s) {
      int b;
      do b = static_cast<int>(rng() % 256);
      while (b == '\t' || b == '\r' || b == '\n');
      c = static_cast<char>(b);
    }
    return s;
  };
  for (int round = 0; round < 20; ++round) {
    WordList list;
    const size_t n = rng() % 300;
    for (size_t i = 0; i < n; ++i) {
      tspi e;
      e.pos = static_cast<lx::PosCode>(rng() % 10);
      e.mark = rng() % 2 ? 'z' : ' ';
      e.word = text(12);
      e.translation = text(20);
      if (e.pos == lx::kPosVerb) {
        e.form2 = text(8);
        e.form3 = text(8);
        e.form4 = text(8);
      }
      list.Append(e);
    }
    const std::string path = Path("list.txt");
    ASSERT_TRUE(lx::SaveWordList(path, list));
    WordList loaded;
    loaded.AppendWord("stale");
    EXPECT_EQ(lx::LoadWordList(path, loaded), 0u);
    ASSERT_EQ(loaded.count(), list.count());
    for (size_t k = 1; k <= list.count(); ++k) EXPECT_EQ(loaded.at(k), list.at(k)) << k;
  }
}

TEST_F(WordListFiles, MissingFileThrowsAndEmptiesTheList) {
  WordList list;
  list.AppendWord("old");
  EXPECT_THROW(lx::LoadWordList(Path("absent.txt"), list), lx::FileError);
  EXPECT_TRUE(list.empty());
}

TEST_F(WordListFiles, SaveReportsFailureAndReplacesTheFile) {
  const std::string path = Path("w01.txt");
  { std::ofstream(path, std::ios::binary) << "old\tnoun\tstaroe\r\n"; }
  WordList list;
  list.AppendWord("new");
  // A folder that does not exist: nothing is written, the failure is reported.
  EXPECT_FALSE(lx::SaveWordList(Path("nofolder/w01.txt"), list));
  std::string bytes;
  ASSERT_TRUE(lx::ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "old\tnoun\tstaroe\r\n");
  EXPECT_TRUE(lx::SaveWordList(path, list));
  ASSERT_TRUE(lx::ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "new\t\t\r\n");
}



// Subscribers hear every change once; a whole load is one change, a refused one none.
TEST_F(WordListFiles, ChangesAreNotified) {
  WordList list;
  int changes = 0;
  list.Subscribe([&] { ++changes; });
  EXPECT_TRUE(list.AppendWord("run"));
  EXPECT_FALSE(list.AppendWord("run"));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(list.AppendWord("Run"));
  EXPECT_TRUE(list.InsertEmpty(1));
  EXPECT_TRUE(list.SwapWithNext(1));
  EXPECT_TRUE(list.Delete(3));
  EXPECT_FALSE(list.Delete(9));
  EXPECT_EQ(changes, 5);
  const std::string path = Path("list.txt");
  { std::ofstream(path, std::ios::binary) << "a\t\t\r\nb\t\t\r\nc\t\t\r\n"; }
  changes = 0;
  EXPECT_EQ(lx::LoadWordList(path, list), 0u);
  EXPECT_EQ(list.count(), 3u);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(lx::LoadWordList(Path("absent.txt"), list), lx::FileError);
  EXPECT_EQ(changes, 2);  // emptied
}
}  // namespace
