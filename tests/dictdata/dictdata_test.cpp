// Checks on the tables the set-up built into data/ (tools/build-data.sh BUILD_DIR).
#include <gtest/gtest.h>

#include "article_tags.h"

#include <string>

#include "app/core/cp1251.h"
#include "app/core/dicttables.h"
#include "app/core/foldcase.h"
#include "app/core/textfile.h"

namespace {

std::string W(const std::string& utf8) { return lx::Utf8ToCp1251(utf8); }

struct Tables {
  std::string bytes1, bytes2;
  lx::DictTable english;
  lx::Dict2Table russian;
  bool loaded = false;
};

const Tables& Built() {
  static Tables t = [] {
    Tables t;
    t.loaded = lx::ReadFileBytes("data/dict1.txt", t.bytes1) && lx::ReadFileBytes("data/dict2.txt", t.bytes2);
    t.english.Load(t.bytes1);
    t.russian.Load(t.bytes2);
    return t;
  }();
  return t;
}

class BuiltTables : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Built().loaded) << "data/dict1.txt or data/dict2.txt is missing: run tools/build-data.sh";
  }
};

// Lines end in CR LF only, and the file holds exactly `per` lines a record for every record.
void ExpectCrlfRecords(const std::string& bytes, int per, int count) {
  size_t lines = 0;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare LF at byte " << i;
      ++lines;
    }
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  EXPECT_EQ(lines, static_cast<size_t>(per) * static_cast<size_t>(count)) << "records beyond the capacity";
}

template <typename Records>
void ExpectSortedLowerCase(const Records& records) {
  for (size_t i = 0; i < records.size(); ++i) {
    const std::string& h = records[i].headword;
    ASSERT_FALSE(h.empty()) << "record " << i + 1;
    ASSERT_EQ(lx::FoldLower(h), h) << "record " << i + 1;
    // std::string compares bytes as unsigned, the order the lookups rely on.
    if (i > 0) {
      ASSERT_LT(records[i - 1].headword, h) << "record " << i + 1;
    }
  }
}

int FindEnglish(const std::string& h) {
  const auto& r = Built().english.records();
  for (size_t i = 0; i < r.size(); ++i)
    if (r[i].headword == h) return static_cast<int>(i) + 1;
  return 0;
}

int FindRussian(const std::string& h) {
  const auto& r = Built().russian.records();
  for (size_t i = 0; i < r.size(); ++i)
    if (r[i].headword == h) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace

TEST_F(BuiltTables, EnglishTableIsCompleteSortedAndWithinCapacity) {
  const auto& t = Built();
  EXPECT_GT(t.english.count(), 40000);
  EXPECT_LE(t.english.count(), lx::DictTable::kCapacity);
  ExpectCrlfRecords(t.bytes1, 4, t.english.count());
  ExpectSortedLowerCase(t.english.records());
}

TEST_F(BuiltTables, RussianTableIsSortedWithinCapacityAndHasNoBogusKeys) {
  const auto& t = Built();
  EXPECT_GT(t.russian.count(), 30000);
  EXPECT_LE(t.russian.count(), lx::Dict2Table::kCapacity);
  ExpectCrlfRecords(t.bytes2, 2, t.russian.count());
  ExpectSortedLowerCase(t.russian.records());
  for (const auto& r : t.russian.records()) {
    const std::string& h = r.headword;
    ASSERT_NE(h.front(), '-') << h;
    ASSERT_NE(h.back(), '-') << h;
    // Keys start with a Cyrillic letter and hold no Latin letters (a sign such as
    // "знак &" may follow).
    const auto first = static_cast<unsigned char>(h.front());
    ASSERT_TRUE(first >= 0xC0 || first == 0xB8) << h;
    for (unsigned char c : h) ASSERT_FALSE((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) << h;
  }
}

TEST_F(BuiltTables, TranscriptionsUseOnlyFontCodes) {
  const std::string allowed = "aAOuIiexqFSZTDN:'pbtdkgfvszhmnlrjw-0123456789";
  int with = 0;
  for (const auto& r : Built().english.records()) {
    with += !r.transcription.empty();
    for (char c : r.transcription)
      ASSERT_NE(allowed.find(c), std::string::npos) << r.headword << " [" << r.transcription << "]";
  }
  EXPECT_GT(with, 40000);
}

TEST_F(BuiltTables, ArticlesUseOnlyTheTagsOfTheArticlePane) {
  int n = 0;
  for (const auto& r : Built().english.records()) ASSERT_EQ(ArticleTagProblem(r.article), "") << "record " << ++n;
  n = 0;
  for (const auto& r : Built().russian.records()) ASSERT_EQ(ArticleTagProblem(r.article), "") << "record " << ++n;
  for (const auto& r : Built().english.records())
    ASSERT_EQ(r.translation.find_first_of("<>"), std::string::npos) << r.headword;
}

TEST_F(BuiltTables, EnglishLookupsFindTheExpectedRecords) {
  struct Case {
    const char* headword;
    const char* transcription;
    const char* translation;  // part of the short translation
    const char* article;      // part of the article
  } cases[] = {
      {"run", "rAn", "бег", "<span class=ps>v.</span>"},
      {"cat", "kxt", "кот", "<span class=ew>to let the cat out of the bag</span>"},
      {"information", "Infq'meISqn", "информация", "<span class=nr>4)</span>"},
      {"ice-cream", "'aIs'kri:m", "мороженое", "мороженое"},
      {"go", "gqu", "идти", "<span class=nr>10)</span>"},
      {"house", "haus", "дом", "<span class=nr>1.</span>"},
  };
  for (const auto& c : cases) {
    int k = FindEnglish(c.headword);
    ASSERT_GT(k, 0) << c.headword;
    const auto& r = Built().english.record(k);
    EXPECT_EQ(r.transcription, c.transcription) << c.headword;
    EXPECT_NE(r.translation.find(W(c.translation)), std::string::npos) << c.headword << ": " << r.translation;
    EXPECT_NE(r.article.find(W(c.article)), std::string::npos) << c.headword;
  }
}

TEST_F(BuiltTables, RussianLookupsListTheirEnglishEquivalents) {
  struct Case {
    const char* headword;
    const char* line;  // one line of the article
  } cases[] = {
      {"новый", "<span class=ew>new</span> <span class=ps>a.</span><br>"},
      {"дом", "<span class=ew>house</span> <span class=ps>n.</span><br>"},
      {"бежать", "<span class=ew>run</span> <span class=ps>v.</span><br>"},
      {"кошка", "<span class=ew>cat</span> <span class=ps>n.</span><br>"},
      {"мороженое", "<span class=ew>ice-cream</span> <span class=ps>n.</span><br>"},
  };
  for (const auto& c : cases) {
    int k = FindRussian(W(c.headword));
    ASSERT_GT(k, 0) << c.headword;
    EXPECT_NE(Built().russian.record(k).article.find(c.line), std::string::npos) << c.headword;
  }
}

// What a learner meets in the built tables: the everyday equivalent first, no keys made of
// grammar notes, forms that translate like their lemma, and the table of forms.
TEST_F(BuiltTables, LearnersSeeEverydayWordsAndRealTranslations) {
  struct Case {
    const char* russian;
    const char* first;  // the first English equivalent
  } firsts[] = {{"знать", "know"}, {"ребёнок", "child"}, {"тысяча", "thousand"}, {"мы", "we"},
                {"и", "and"},     {"дом", "home"},       {"говорить", "say"}};
  for (const auto& c : firsts) {
    int k = FindRussian(W(c.russian));
    ASSERT_GT(k, 0) << c.russian;
    EXPECT_EQ(Built().russian.record(k).headword, W(c.russian));
    EXPECT_EQ(Built().russian.record(k).article.find(std::string("<span class=ew>") + c.first + "</span>"), 0u)
        << c.russian << ": " << Built().russian.record(k).article.substr(0, 200);
  }
  for (const char* note : {"от", "и от"}) {
    const int k = FindRussian(W(note));
    EXPECT_FALSE(k > 0 && Built().russian.record(k).headword == W(note)) << note;
  }
  for (const auto& r : Built().russian.records()) {
    size_t lines = 0;
    for (size_t p = r.article.find("<br>"); p != std::string::npos; p = r.article.find("<br>", p + 1)) ++lines;
    ASSERT_LE(lines, 15u) << r.headword;
  }
  for (const auto& r : Built().english.records())
    ASSERT_FALSE(r.translation == W("от") || r.translation.starts_with(W("от;")) || r.translation.starts_with(W("и от")))
        << r.headword << ": " << r.translation;
  for (const char* form : {"went", "children", "feet", "bought"}) {
    const int k = FindEnglish(form);
    ASSERT_GT(k, 0) << form;
    EXPECT_FALSE(Built().english.record(k).translation.empty()) << form;
  }
  std::string forms;
  ASSERT_TRUE(lx::ReadFileBytes("data/forms.txt", forms)) << "data/forms.txt is missing: run tools/build-data.sh";
  for (const char* line : {"went\tgo\tp.\r\n", "children\tchild\tpl.\r\n", "does\tdo\tpres.\r\n", "is\tbe\tv.\r\n"})
    EXPECT_NE(forms.find(line), std::string::npos) << line;
}
