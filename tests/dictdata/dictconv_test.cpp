#include <gtest/gtest.h>

#include "article_tags.h"

#include <map>
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

// The forms an article names: the headword as a form of another word, or forms of the
// headword; endings such as "(_pl. os)" are not words.
TEST(DictConvForms, ArticlesNameFormsAndTheirLemmas) {
  struct Case {
    const char* headword;
    const char* content;  // UTF-8
    std::vector<std::string> links;  // "form lemma label"
  } cases[] = {
      {"bought", "_p. и _p-p. от buy 1", {"bought buy p. p-p."}},
      {"children", "_pl. от child", {"children child pl."}},
      {"better", "_a. (_comp. от good 1)", {"better good comp."}},
      {"bidden", "_уст. _p-p. от bid", {"bidden bid p-p."}},
      {"running", "1. _pres-p. от run 2", {"running run pres-p."}},
      {"is", "3-е л. ед. ч. настоящего времени гл. to be", {"is be v."}},
      {"go", "_v. (went - gone)", {"went go p.", "gone go p-p."}},
      {"bear", "_v. (bore - borne, born)", {"bore bear p.", "borne bear p-p.", "born bear p-p."}},
      {"adman", "_n. (_pl. admen)", {"admen adman pl."}},
      {"bike", "_сокр. _разг. от bicycle", {"bike bicycle abbr"}},
      {"abacus", "_n. (_pl. -ci, -cuses)", {}},
      {"axis", "(_pl. os [oz])", {}},
      {"sheep", "_n. (_pl. без измен.) овца", {}},
      {"with", "_prep. от; с", {}},  // "от" as a translation, not after a label
  };
  for (const auto& c : cases) {
    std::vector<std::string> got;
    for (const auto& f : FormLinksOfLine(c.headword, W(c.content))) got.push_back(f.form + " " + f.lemma + " " + f.label);
    EXPECT_EQ(got, c.links) << c.content;
  }
}

TEST(DictConvForms, CourseVerbTablesInBothLayouts) {
  const auto forms = CourseVerbForms(W("be\tv\tбыть\twas, were\tbeen\tbeing\r\n"
                                       "Answer\tотвечать\tanswered\tanswered\tanswering\tanswers\r\n"
                                       "short\tline\r\n"));
  std::vector<std::string> got;
  for (const auto& f : forms) got.push_back(f.form + " " + f.lemma + " " + f.label);
  EXPECT_EQ(got, (std::vector<std::string>{"was be p.", "were be p.", "been be p-p.", "being be pres-p.",
                                           "answered answer p.", "answered answer p-p.",
                                           "answering answer pres-p.", "answers answer pres."}));
}

TEST(DictConvTranslations, GrammarNotesAreNoTranslations) {
  // "от" is what "_p. и _p-p. от buy" leaves; "тот, кто ..." stays one phrase.
  EXPECT_TRUE(SenseTranslations(W("_p. и _p-p. от buy 1")).empty());
  EXPECT_TRUE(SenseTranslations(W("_сокр. от bicycle")).empty());
  const auto groups = SenseTranslations(W("тот, кто связывает; связка"));
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0], (std::vector<std::string>{W("тот, кто связывает")}));
}

// Grammar notes and Russian words never stand in the spans of English examples.
TEST(DictConvArticle, EnglishSpansHoldEnglishOnly) {
  const auto abound = ConvertArticle("abound\n   [\u025c\u2197ba\u028And] _v. изобиловать (in, with); to abound in fish\n");
  EXPECT_NE(abound.article.find("<span class=ab>(in, with);</span> <span class=ew>to abound in fish</span>"),
            std::string::npos)
      << abound.article;
  const auto vee = ConvertArticle("vee\n   [vi:] _n. V-образный предмет\n");
  EXPECT_EQ(vee.article.find("<span class=ew>"), std::string::npos) << vee.article;
  // A parenthesised English example is not a note.
  const auto above = ConvertArticle("above\n   [\u025c\u2197b\u028cv] _n. (the above) вышесказанное\n");
  EXPECT_NE(above.article.find("<span class=ew>(the above)</span>"), std::string::npos) << above.article;
}

TEST(DictConvTables, FormsTranslationsAndTheRussianOrder) {
  std::string text;
  std::vector<IndexEntry> index;
  auto add = [&](const std::string& word, const std::string& body) {
    index.push_back({word, text.size(), body.size()});
    text += body;
  };
  add("bicycle", "bicycle\n   [\u2197ba\u026as\u026akl] _n. велосипед\n");
  add("bike", "bike\n   [ba\u026ak] _сокр. _разг. от bicycle\n");
  add("go", "go\n   [g\u025c\u028a] _v. (went - gone) идти, ходить\n");
  add("ken", "ken\n   [k\u025bn] _v. _шотл. знать\n");
  add("know", "know\n   [n\u025c\u028a] _v. (knew - known) знать; иметь представление\n");
  add("went", "went\n   [w\u025bnt] _p. от go\n");
  add("we", "we\n   [wi:] _pron. pers (_obj. us) мы\n");
  const auto t = BuildTables(index, text, CourseVerbForms("go\tv\t-\twent\tgone\tgoing\r\n"),
                             ParseSenseCounts("know%2:31:01:: 1 900\nken%1:09:00:: 1 2\n"));
  // The forms: articles first, then the course's table; abbreviations are no forms.
  EXPECT_EQ(SerializeForms(t.forms),
            "going\tgo\tpres-p.\r\ngone\tgo\tp-p.\r\nknew\tknow\tp.\r\nknown\tknow\tp-p.\r\nwent\tgo\tp.\r\n");
  // A form and an abbreviation take the translation of the word they name.
  auto translation = [&](const char* head) {
    for (const auto& r : t.english.records())
      if (r.headword == head) return lx::Cp1251ToUtf8(r.translation);
    return std::string("(none)");
  };
  EXPECT_EQ(translation("went"), "идти, ходить");
  EXPECT_EQ(translation("bike"), "велосипед");
  // No key comes from a grammar note; the everyday word comes first; "мы" is recovered.
  std::map<std::string, std::string> russian;
  for (const auto& r : t.russian.records()) russian[lx::Cp1251ToUtf8(r.headword)] = r.article;
  EXPECT_EQ(russian.count("от"), 0u);
  EXPECT_EQ(russian.count("и от"), 0u);
  ASSERT_EQ(russian.count("знать"), 1u);
  EXPECT_EQ(russian["знать"].find("<span class=ew>know</span>"), 0u) << russian["знать"];
  ASSERT_EQ(russian.count("мы"), 1u);
  EXPECT_EQ(russian["мы"].find("<span class=ew>we</span>"), 0u) << russian["мы"];
}

// Every transcription inside an article is marked as one (class sy), also in a reference
// and after a homonym number written without its space.
TEST(DictConvArticle, TranscriptionsInsideArticlesAreMarked) {
  const auto adherent = ConvertArticle(
      "adherent\n   [\u025bd\u2197h\u026a\u025cr\u025cnt] _n. = adherer [\u025cd\u2197h\u026a\u025cr\u025c] _n.\n");
  EXPECT_NE(adherent.article.find("<span class=sy>[qd'hIqrq]</span>"), std::string::npos) << adherent.article;
  const auto bail = ConvertArticle("bail\n   _I [be\u026al] _n. залог\n   _II[be\u026al] _v. вычерпывать\n");
  EXPECT_NE(bail.article.find("<span class=nr>II</span>"), std::string::npos) << bail.article;
  EXPECT_EQ(bail.article.find("II["), std::string::npos) << bail.article;
}
