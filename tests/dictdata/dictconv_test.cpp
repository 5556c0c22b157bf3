#include <gtest/gtest.h>

#include "article_tags.h"

#include <stdexcept>
#include <string>

#include "app/core/cp1251.h"
#include "builder.h"
#include "mueller.h"

using namespace lx::dictconv;

namespace {

std::string W(const std::string& utf8) { return lx::Utf8ToCp1251(utf8); }

}  // namespace

TEST(DictConvIndex, DecodesNumbersAndRejectsBrokenLines) {
  uint64_t v = 0;
  EXPECT_TRUE(DecodeIndexNumber("A", v));
  EXPECT_EQ(v, 0u);
  EXPECT_TRUE(DecodeIndexNumber("Bi", v));
  EXPECT_EQ(v, 1u * 64 + 34);
  EXPECT_TRUE(DecodeIndexNumber("/", v));
  EXPECT_EQ(v, 63u);
  EXPECT_FALSE(DecodeIndexNumber("", v));
  EXPECT_FALSE(DecodeIndexNumber("a-b", v));

  auto index = ParseIndex("'cause\tC+m\tk\nice cream\tB\tC\n");
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(index[1].word, "ice cream");
  EXPECT_EQ(index[1].offset, 1u);
  EXPECT_EQ(index[1].length, 2u);
  for (const char* bad : {"word\tB\n", "word\tB\t!\n", "\tB\tC\n", "w\tB\tC\textra\n"})
    EXPECT_THROW(ParseIndex(bad), std::runtime_error) << bad;
}

TEST(DictConvIndex, SkipsDatabaseNotesAndTheAbbreviationKey) {
  EXPECT_FALSE(IsArticleEntry("00-database-info"));
  EXPECT_FALSE(IsArticleEntry("00databaseshort"));
  EXPECT_FALSE(IsArticleEntry("_a."));
  EXPECT_TRUE(IsArticleEntry("'cause"));
  EXPECT_TRUE(IsArticleEntry("-armed"));
}

TEST(DictConvTranscription, ReencodesLookAlikesIntoFontCodes) {
  struct Case {
    const char* source;
    const char* codes;
  } cases[] = {
      {"k\u00e6t", "kxt"},
      {"g\u025c\u028a", "gqu"},                          // ɜʊ
      {"\u2198\u026anf\u025c\u2197m\u025b\u026a\u0283\u025cn", "Infq'meISqn"},  // no secondary stress
      {"be\u025c", "bFq"},                               // eɜ is ɛə
      {"\u2197so\u028al\u025c", "'squlq"},               // oʊ is əʊ
      {"\u0258:l", "O:l"},                               // ɘ is ɔ
      {"c\u00e6t", "kxt"},                               // c is a typo for k
      {"s\u026ati", "sIti"},
      {"sy", "sI"},                                      // y is a typo for ɪ
      {"\u03b8\u026a\u014b \u00f0\u025c", "TINDq"},      // a space would break the click
      {"a.b,c-d", "abk-d"},
      {"\u0292\u028c\u0251:", "ZAa:"},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertTranscription(c.source), c.codes) << c.source;
}

TEST(DictConvText, ConvertsToCodePageAndKeepsMarkupSafe) {
  EXPECT_EQ(SourceToCp1251("caf\u00e9 [k\u00e6t] \u043a\u043e\u0442"), W("cafe [kxt] кот"));
  EXPECT_EQ(SourceToCp1251("a <b> c"), "a \x8B" "b\x9B c");
  EXPECT_EQ(SourceToCp1251("[open"), "[open");  // no closing bracket: plain text
}

TEST(DictConvLines, JoinsWrappedLinesAtTheSourceMarkers) {
  std::string body = W(
      "   [rʌn]\n"
      "   _I  1. _n.\n"
      "         1) бег; at a run бегом; to go for a\n"
      "         run пробежаться; a six-\n"
      "         footer человек ростом в шесть футов\n"
      "         10)пройти, быть принятым\n"
      "         а) с начала\n"
      "   _II [li:d] _v.\n");
  auto lines = SplitSourceLines(body);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].kind, LineKind::Lead);
  EXPECT_EQ(lines[1].kind, LineKind::Homonym);
  EXPECT_EQ(lines[1].marker, "I");
  EXPECT_EQ(lines[1].content, "1. _n.");
  EXPECT_EQ(lines[2].kind, LineKind::Sense);
  EXPECT_EQ(lines[2].content,
            W("бег; at a run бегом; to go for a run пробежаться; a six-footer человек ростом в шесть футов"));
  EXPECT_EQ(lines[3].marker, "10)");
  EXPECT_EQ(lines[3].content, W("пройти, быть принятым"));
  EXPECT_EQ(lines[4].kind, LineKind::SubSense);
  EXPECT_EQ(lines[5].kind, LineKind::Homonym);
  EXPECT_EQ(lines[5].marker, "II");
  // A dash between spaced words is no hyphenation: the words stay apart.
  auto dash = SplitSourceLines(W("1) идти -\n   туда\n2. _v.\n"));
  ASSERT_EQ(dash.size(), 2u);
  EXPECT_EQ(dash[0].content, W("идти - туда"));
  EXPECT_EQ(dash[1].kind, LineKind::Group);
}

TEST(DictConvTranslations, KeepsRussianPhrasesBeforeTheFirstExample) {
  auto groups = SenseTranslations(
      W("_разг. кот, кошка (животное); -ая бабочка; т.п.; {см. тж. 2} кошечка; tom cat кот"));
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0], (std::vector<std::string>{W("кот"), W("кошка")}));
  EXPECT_EQ(groups[1], (std::vector<std::string>{W("кошечка")}));
  EXPECT_TRUE(SenseTranslations(W("_attr. cat skinner _жарг. тракторист")).empty());
  EXPECT_TRUE(SenseTranslations(W("= buzz III")).empty());
}

TEST(DictConvArticle, BuildsReadableMarkupAndTheShortTranslation) {
  // Homonyms, a transcription on the "1." line, a group without a transcription.
  std::string source =
      "lead\n"
      "   _I  1. [led] _n.\n"
      "         1) свинец; as heavy as lead очень тяжёлый\n"
      "         2) _мор. лот {см. тж. 3}\n"
      "      2. _v. освинцовывать\n"
      "   _II [li:d] _v.\n"
      "      1) вести; to lead the way показывать дорогу\n";
  auto a = ConvertArticle(source);
  EXPECT_EQ(a.headword, "lead");
  EXPECT_EQ(a.transcription, "led");
  EXPECT_EQ(ArticleTagProblem(a.article), "") << a.article;
  EXPECT_EQ(a.article.find("[led]"), std::string::npos);  // shown above the article
  EXPECT_NE(a.article.find("<span class=sy>[li:d]</span>"), std::string::npos);
  EXPECT_NE(a.article.find("<span class=nr>I</span> <span class=nr>1.</span>"), std::string::npos)
      << a.article;
  EXPECT_NE(a.article.find("<span class=ps>n.</span>"), std::string::npos);
  EXPECT_NE(a.article.find("<span class=ul>" + W("мор.") + "</span>"), std::string::npos);
  EXPECT_NE(a.article.find("<span class=ew>as heavy as lead</span>"), std::string::npos);
  EXPECT_NE(a.article.find("<span class=li>" + W("см. тж. 3") + "</span>"), std::string::npos);
  EXPECT_EQ(a.translation, W("свинец; лот; освинцовывать"));
  ASSERT_EQ(a.links.size(), 4u);
  EXPECT_EQ(a.links[2].russian, W("освинцовывать"));
  EXPECT_EQ(a.links[2].pos, "v.");
  EXPECT_EQ(a.links[3].pos, "v.");
  EXPECT_EQ(a.links[3].rank, 0);  // first sense of its homonym
}

TEST(DictConvTables, MergesSpellingsSortsAndInverts) {
  std::string text;
  std::vector<IndexEntry> index;
  auto add = [&](const std::string& word, const std::string& body) {
    index.push_back({word, text.size(), body.size()});
    text += body;
  };
  add("00-database-info", "notes\n");
  add("polish", "Polish\n   [\u2197p\u025cul\u026a\u0283] _a. польский\n");
  add("polish", "polish\n   [\u2197p\u0258l\u026a\u0283] _v. полировать, шлифовать\n");
  add("ice-cream", "ice-cream\n   [\u2197a\u026as\u2197kri:m] _n. мороженое\n");
  add("ice", "ice\n   [a\u026as] _n. лёд; мороженое\n");
  auto t = BuildTables(index, text);
  ASSERT_EQ(t.english.count(), 3);
  EXPECT_EQ(t.english.record(1).headword, "ice");
  EXPECT_EQ(t.english.record(2).headword, "ice-cream");
  const auto& polish = t.english.record(3);
  EXPECT_EQ(polish.headword, "polish");
  EXPECT_EQ(polish.transcription, "'pOlIS");  // the lower-case spelling leads
  EXPECT_LT(polish.article.find(W("полировать")), polish.article.find(W("польский")));
  EXPECT_NE(polish.article.find("['pqulIS]"), std::string::npos);

  ASSERT_EQ(t.russian.count(), 5);
  // лёд (ё = 0xB8) sorts before every other Cyrillic letter by unsigned bytes.
  EXPECT_EQ(t.russian.record(1).headword, W("лёд"));
  EXPECT_EQ(t.russian.record(2).headword, W("мороженое"));
  EXPECT_EQ(t.russian.record(2).article,
            "<span class=ew>ice</span> <span class=ps>n.</span><br>"
            "<span class=ew>ice-cream</span> <span class=ps>n.</span><br>");

  index.push_back({"broken", text.size() - 2, 10});
  EXPECT_THROW(BuildTables(index, text), std::runtime_error);
}
