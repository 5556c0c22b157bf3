// From a clicked or typed English word to its article: headwords, contractions, the
// table of forms, the regular endings and unknown words, over a small table that holds
// the wrong neighbours a plain near match used to land on (doe, us, cop, easter, ...).
#include <gtest/gtest.h>

#include <set>

#include "app/core/cp1251.h"
#include "dictionary/wordforms.h"

namespace {

using lx::LookupRoute;

const char* const kHeadwords[] = {
    // dictionary forms
    "add", "agree", "be", "big", "book", "box", "bus", "can", "child", "class", "copy", "die",
    "do", "easy", "get", "go", "have", "hero", "hope", "i", "large", "late", "library", "relate",
    "receive", "relieve", "sing", "stop", "toe", "use", "visit", "want", "watch", "will", "you",
    "went", "o'clock", "can't", "waste", "wast", "bore", "bear",
    // neighbours a form must not land on
    "ad", "cop", "doe", "easter", "haying", "hop", "hoyden", "libra", "relaxing", "reck", "singe",
    "us", "writ", "cant", "ill", "wont", "to", "dy",
};

// Adjectives and adverbs: the only headwords that -er and -est lead to.
const std::set<std::string> kAdjectives = {"big", "easy", "large", "late"};

lx::DictTable Table() {
  std::set<std::string> sorted(std::begin(kHeadwords), std::end(kHeadwords));
  lx::DictTable t;
  for (const auto& h : sorted)
    t.Append({h, "", (kAdjectives.count(h) ? "<span class=ps>a.</span> " : "<span class=ps>v.</span> ") + h + "<br>", ""});
  return t;
}

lx::WordForms Forms() {
  lx::WordForms f;
  f.Load("went\tgo\tp.\r\nchildren\tchild\tpl.\r\nbroken line\r\noclock\to'clock\t'\r\n"
         "gone\tgo\tp-p.\r\nmice\tmouse\tpl.\r\nwast\tbe\tv.\r\nbore\tbear\tp.\r\n");
  return f;
}

std::string HeadwordOf(const lx::DictTable& t, const lx::EnglishLookup& r) {
  return r.entry ? t.record(*r.entry).headword : "(none)";
}

// Every ending rule, in the cases where its order against the others matters.
TEST(WordForms, EndingsFindTheLemmaNotANeighbour) {
  const auto table = Table();
  const auto forms = Forms();
  struct Case {
    const char* key;
    const char* lemma;
  } cases[] = {
      {"copies", "copy"},       {"libraries", "library"},  // -ies -> -y (not cop, libra)
      {"copied", "copy"},       {"easiest", "easy"},       // -ied, -iest
      {"easier", "easy"},                                  // -ier (not easter)
      {"boxes", "box"},         {"classes", "class"},     {"watches", "watch"},  // -es after a hiss
      {"does", "do"},           {"goes", "go"},           {"heroes", "hero"},    // -es after o (not doe)
      {"toes", "toe"},          {"uses", "use"},          {"buses", "bus"},      // -s first, -es after
      {"books", "book"},                                                         // -s
      {"added", "add"},         {"stopped", "stop"},      // doubled consonant kept (not ad), undone
      {"used", "use"},          {"hoped", "hope"},        {"visited", "visit"},  // final e restored (not us, hop)
      {"wanted", "want"},       {"related", "relate"},    {"agreed", "agree"},
      {"wasted", "waste"},      {"bored", "bore"},        // a form as lemma only when nothing else fits
      {"having", "have"},       {"using", "use"},         {"relating", "relate"},  // not haying, us, relaxing
      {"being", "be"},          {"dying", "die"},         {"getting", "get"},    {"singing", "sing"},  // not singe
      {"bigger", "big"},        {"larger", "large"},      {"later", "late"},     // -er
      {"biggest", "big"},       {"largest", "large"},     {"latest", "late"},    // -est
  };
  for (const auto& c : cases) {
    const auto r = lx::LookUpEnglish(table, forms, c.key);
    EXPECT_EQ(r.route, LookupRoute::Ending) << c.key;
    EXPECT_EQ(HeadwordOf(table, r), c.lemma) << c.key;
    EXPECT_EQ(r.lemma, c.lemma) << c.key;
  }
  // -er and -est make comparatives of adjectives only: a singer is no form of "sing".
  for (const char* key : {"singer", "stopper", "usest"})
    EXPECT_NE(lx::LookUpEnglish(table, forms, key).route, LookupRoute::Ending) << key;
}

TEST(WordForms, HeadwordsFormsAndContractionsComeFirst) {
  const auto table = Table();
  const auto forms = Forms();
  struct Case {
    const char* key;
    LookupRoute route;
    const char* headword;
  } cases[] = {
      {"went", LookupRoute::Headword, "went"},        // a form with its own article keeps it
      {"hop", LookupRoute::Headword, "hop"},
      {"children", LookupRoute::Form, "child"},       // from the table of forms, before "-s"
      {"gone", LookupRoute::Form, "go"},
      {"oclock", LookupRoute::Form, "o'clock"},       // a headword spelled with an apostrophe
      {"dont", LookupRoute::Contraction, "do"},
      {"doesnt", LookupRoute::Contraction, "do"},
      {"isnt", LookupRoute::Contraction, "be"},
      {"youre", LookupRoute::Contraction, "you"},
      {"cant", LookupRoute::Contraction, "can"},      // far more common than the headword "cant"
      {"wont", LookupRoute::Contraction, "will"},
      {"ill", LookupRoute::Headword, "ill"},          // "ill" stays itself; the note names "I'll"
      {"mice", LookupRoute::Unknown, "(none)"},       // its lemma is no headword, nothing near
  };
  for (const auto& c : cases) {
    const auto r = lx::LookUpEnglish(table, forms, c.key);
    EXPECT_EQ(r.route, c.route) << c.key;
    EXPECT_EQ(HeadwordOf(table, r), c.headword) << c.key;
  }
  EXPECT_EQ(lx::LookUpEnglish(table, forms, "ill").contraction, lx::FindContraction("ill"));
  EXPECT_EQ(lx::LookUpEnglish(table, forms, "children").label, "pl.");
}

TEST(WordForms, UnknownWordsAreSaidToBeUnknown) {
  const auto table = Table();
  const auto forms = Forms();
  // "recieve" shares "re" with its near match: the article follows the note.
  const auto misspelt = lx::LookUpEnglish(table, forms, "recieve");
  EXPECT_EQ(misspelt.route, LookupRoute::NearMatch);
  // "html" shares nothing with "hoyden": no article at all.
  const auto unrelated = lx::LookUpEnglish(table, forms, "html");
  EXPECT_EQ(unrelated.route, LookupRoute::Unknown);
  EXPECT_FALSE(unrelated.entry);
  // After the last headword there is no near match either.
  EXPECT_EQ(lx::LookUpEnglish(table, forms, "zzzz").route, LookupRoute::Unknown);

  // Suggestions: within two edits, closest first, then the more common.
  EXPECT_EQ(lx::SpellingSuggestions(table, "recieve", 5), (std::vector<std::string>{"receive", "relieve"}));
  auto rank = [](std::string_view w) { return w == "hop" ? 1 : w == "hope" ? 2 : 100; };
  EXPECT_EQ(lx::SpellingSuggestions(table, "hpo", 2, rank), (std::vector<std::string>{"hop", "hope"}));
  EXPECT_EQ(lx::SpellingSuggestions(table, "qqqqqq", 5), std::vector<std::string>{});
  EXPECT_EQ(lx::SpellingSuggestions(table, std::string(200, 'a'), 5), std::vector<std::string>{});
}

TEST(WordForms, TheNoteSaysHowTheKeyLedToTheArticle) {
  const auto table = Table();
  const auto forms = Forms();
  auto note = [&](const char* key, std::vector<std::string> suggestions = {}) {
    return lx::Cp1251ToUtf8(lx::LookupNoteMarkup(lx::LookUpEnglish(table, forms, key), key, suggestions));
  };
  EXPECT_EQ(note("children"),
            "<span class=ew>children</span> — форма слова <span class=ew>child</span> (множественное число)<br>");
  EXPECT_EQ(note("having"), "<span class=ew>having</span> — форма слова <span class=ew>have</span><br>");
  EXPECT_EQ(note("dont"), "<span class=ew>don't</span> = <span class=ew>do not</span><br>");
  EXPECT_EQ(note("ill"), "Также сокращение: <span class=ew>I'll</span> = <span class=ew>I will</span><br>");
  EXPECT_EQ(note("go"), "");
  EXPECT_EQ(note("oclock"), "");
  EXPECT_EQ(note("html"), "<span class=na0>Слова «html» нет в словаре.</span><br>");
  EXPECT_EQ(note("recieve", {"receive", "relieve"}),
            "<span class=na0>Слова «recieve» нет в словаре.</span><br>Может быть, одно из этих: "
            "<span class=ew>receive</span>, <span class=ew>relieve</span><br>Ближайшее слово словаря:<br>");
}

TEST(WordForms, TableLoadsInFormOrderAndSkipsBrokenLines) {
  lx::WordForms f;
  f.Load("went\tgo\tp.\nbroken\r\nleft\tleave\tp.\r\nbetter\tgood\tcomp.\r\nbetter\twell\tcomp.\r\n\t\t\r\n");
  EXPECT_EQ(f.size(), 4u);
  const auto better = f.Find("better");
  ASSERT_EQ(better.size(), 2u);
  EXPECT_EQ(better[0]->lemma, "good");
  EXPECT_EQ(better[1]->lemma, "well");
  EXPECT_EQ(f.Find("went").size(), 1u);
  EXPECT_TRUE(f.Find("broken").empty());
  EXPECT_TRUE(f.Find("").empty());
}

}  // namespace
