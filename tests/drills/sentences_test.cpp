#include <gtest/gtest.h>

#include "script.h"

#include <deque>
#include <random>

#include "app/core/cp1251.h"
#include "app/core/errors.h"
#include "app/core/textfile.h"
#include "drills/sentences.h"

namespace {

using lx::Aspect;
using lx::SentenceForm;
using lx::SentenceType;
using lx::Tense;
using lx::Voice;

constexpr Aspect Ind = Aspect::Indefinite, Cont = Aspect::Continuous, Perf = Aspect::Perfect,
                 PerfCont = Aspect::PerfectContinuous;
constexpr Voice Act = Voice::Active, Pas = Voice::Passive;
constexpr Tense Past = Tense::Past, Pres = Tense::Present, Fut = Tense::Future;


const lx::VerbEntry kWrite{"write", "\xef\xe8\xf1\xe0\xf2\xfc", "wrote", "written", "writing", "writes"};
const char* const kSubjects[] = {"", "I", "you", "he", "she", "it", "we", "they"};

struct Row {
  SentenceType type;
  bool negative;
  Aspect aspect;
  Voice voice;
  Tense tense;
  int32_t group;
  std::vector<std::pair<int32_t, int32_t>> draws;
  const char* expected;
  const char* subject = nullptr;  // entry 1 of the group when null
};

void CheckRows(const std::vector<Row>& rows) {
  for (const Row& r : rows) {
    const SentenceForm form{r.type, r.negative, r.aspect, r.voice, r.tense, r.group};
    const char* subject = r.subject ? r.subject : kSubjects[r.group];
    Script script{{r.draws.begin(), r.draws.end()}};
    EXPECT_EQ(lx::BuildSentence(form, subject, r.subject == nullptr, kWrite, script.source()),
              r.expected)
        << "expected " << r.expected;
    EXPECT_TRUE(script.draws.empty()) << r.expected;
  }
}

constexpr auto St = SentenceType::Statement;
constexpr auto Q = SentenceType::Question;
constexpr auto Imp = SentenceType::Imperative;
const std::vector<std::pair<int32_t, int32_t>> kFull3 = {{3, 1}}, kShort3 = {{3, 0}},
                                              kFull2 = {{2, 1}}, kShort2 = {{2, 0}}, kNone = {};

TEST(Practice4Sentences, AffirmativeStatements) {
  CheckRows({
      {St, false, Ind, Act, Past, 3, kShort3, "he wrote"},
      {St, false, Ind, Act, Pres, 3, kShort3, "he writes"},
      {St, false, Ind, Act, Pres, 7, kShort3, "they write"},
      {St, false, Ind, Act, Fut, 3, kFull3, "he will write"},
      {St, false, Ind, Act, Fut, 1, kFull3, "I shall write"},
      {St, false, Ind, Act, Fut, 1, kShort3, "I'll write"},
      {St, false, Ind, Pas, Past, 3, kShort3, "he was written"},
      {St, false, Ind, Pas, Past, 2, kFull3, "you were written"},
      {St, false, Ind, Pas, Pres, 1, kFull3, "I am written"},
      {St, false, Ind, Pas, Pres, 1, kShort3, "I'm written"},
      {St, false, Ind, Pas, Pres, 4, kShort3, "she's written"},
      {St, false, Ind, Pas, Pres, 2, kShort3, "you're written"},
      {St, false, Ind, Pas, Fut, 6, kFull3, "we shall be written"},
      {St, false, Ind, Pas, Fut, 6, kShort3, "we'll be written"},
      {St, false, Cont, Act, Past, 7, kShort3, "they were writing"},
      {St, false, Cont, Act, Pres, 5, kFull3, "it is writing"},
      {St, false, Cont, Act, Pres, 7, kShort3, "they're writing"},
      {St, false, Cont, Act, Fut, 3, kFull3, "he will be writing"},
      {St, false, Cont, Act, Fut, 3, kShort3, "he'll be writing"},
      {St, false, Cont, Pas, Past, 5, kShort3, "it was being written"},
      {St, false, Cont, Pas, Pres, 2, kFull3, "you are being written"},
      {St, false, Cont, Pas, Pres, 1, kShort3, "I'm being written"},
      {St, false, Cont, Pas, Pres, 3, kShort3, "he's being written"},
      {St, false, Cont, Pas, Fut, 3, kNone, ""},
      {St, false, Perf, Act, Past, 3, kShort3, "he had written"},
      {St, false, Perf, Act, Past, 6, kFull3, "we had written"},
      {St, false, Perf, Act, Past, 6, kShort3, "we'd written"},
      {St, false, Perf, Act, Pres, 3, kFull3, "he has written"},
      {St, false, Perf, Act, Pres, 3, kShort3, "he's written"},
      {St, false, Perf, Act, Pres, 4, kShort3, "she has written"},
      {St, false, Perf, Act, Pres, 5, kShort3, "it has written"},
      {St, false, Perf, Act, Pres, 1, kShort3, "I've written"},
      {St, false, Perf, Act, Pres, 2, kShort3, "you've written"},
      {St, false, Perf, Act, Pres, 6, kShort3, "we've written"},
      {St, false, Perf, Act, Pres, 7, kShort3, "they have written"},
      {St, false, Perf, Act, Fut, 1, kFull3, "I shall have written"},
      {St, false, Perf, Act, Fut, 7, kShort3, "they'll have written"},
      {St, false, Perf, Pas, Past, 2, kShort3, "you'd been written"},
      {St, false, Perf, Pas, Past, 4, kShort3, "she had been written"},
      {St, false, Perf, Pas, Pres, 3, kShort3, "he's been written"},
      {St, false, Perf, Pas, Pres, 5, kShort3, "it has been written"},
      {St, false, Perf, Pas, Pres, 6, kShort3, "we've been written"},
      {St, false, Perf, Pas, Pres, 7, kFull3, "they have been written"},
      {St, false, Perf, Pas, Fut, 3, kFull3, "he will have been written"},
      {St, false, Perf, Pas, Fut, 3, kShort3, "he'll have been written"},
      {St, false, PerfCont, Act, Past, 7, kShort3, "they'd been writing"},
      {St, false, PerfCont, Act, Past, 3, kFull3, "he had been writing"},
      {St, false, PerfCont, Act, Pres, 3, kShort3, "he's been writing"},
      {St, false, PerfCont, Act, Pres, 2, kShort3, "you've been writing"},
      {St, false, PerfCont, Act, Fut, 7, kFull3, "they will have been writing"},
      {St, false, PerfCont, Act, Fut, 7, kShort3, "they'll have been writing"},
      {St, false, PerfCont, Pas, Past, 3, kNone, ""},
      {St, false, PerfCont, Pas, Pres, 3, kNone, ""},
      {St, false, PerfCont, Pas, Fut, 3, kNone, ""},
      // Only entry 1 of a group is contracted.
      {St, false, Ind, Act, Fut, 3, kShort3, "the boy will write", "the boy"},
      {St, false, Perf, Act, Pres, 7, kShort3, "the children have written", "the children"},
      {St, false, Ind, Pas, Pres, 4, kShort3, "the girl is written", "the girl"},
  });
}

TEST(Practice4Sentences, NegativeStatements) {
  CheckRows({
      {St, true, Ind, Act, Past, 3, kFull3, "he did not write"},
      {St, true, Ind, Act, Past, 3, kShort3, "he didn't write"},
      {St, true, Ind, Act, Pres, 3, kFull3, "he does not write"},
      {St, true, Ind, Act, Pres, 3, kShort3, "he doesn't write"},
      {St, true, Ind, Act, Pres, 2, kShort3, "you don't write"},
      {St, true, Ind, Act, Fut, 1, kFull3, "I shall not write"},
      {St, true, Ind, Act, Fut, 1, kShort3, "I shan't write"},
      {St, true, Ind, Act, Fut, 3, kShort3, "he won't write"},
      {St, true, Ind, Pas, Past, 3, kShort3, "he wasn't written"},
      {St, true, Ind, Pas, Past, 7, kShort3, "they weren't written"},
      {St, true, Ind, Pas, Past, 7, kFull3, "they were not written"},
      {St, true, Ind, Pas, Pres, 1, kShort3, "I am not written"},
      {St, true, Ind, Pas, Pres, 4, kShort3, "she isn't written"},
      {St, true, Ind, Pas, Pres, 2, kShort3, "you aren't written"},
      {St, true, Ind, Pas, Pres, 2, kFull3, "you are not written"},
      {St, true, Ind, Pas, Fut, 6, kShort3, "we shan't be written"},
      {St, true, Ind, Pas, Fut, 5, kShort3, "it won't be written"},
      {St, true, Cont, Act, Past, 2, kShort3, "you weren't writing"},
      {St, true, Cont, Act, Pres, 1, kShort3, "I am not writing"},
      {St, true, Cont, Act, Pres, 4, kShort3, "she isn't writing"},
      {St, true, Cont, Act, Fut, 6, kShort3, "we shan't be writing"},
      {St, true, Cont, Act, Fut, 7, kFull3, "they will not be writing"},
      {St, true, Cont, Pas, Past, 3, kShort3, "he wasn't being written"},
      {St, true, Cont, Pas, Pres, 1, kShort3, "I am not being written"},
      {St, true, Cont, Pas, Pres, 7, kShort3, "they aren't being written"},
      {St, true, Cont, Pas, Pres, 3, kFull3, "he is not being written"},
      {St, true, Cont, Pas, Fut, 3, kNone, ""},
      {St, true, Perf, Act, Past, 3, kShort3, "he hadn't written"},
      {St, true, Perf, Act, Pres, 3, kShort3, "he hasn't written"},
      {St, true, Perf, Act, Pres, 6, kShort3, "we haven't written"},
      {St, true, Perf, Act, Pres, 6, kFull3, "we have not written"},
      {St, true, Perf, Act, Fut, 2, kShort3, "you won't have written"},
      {St, true, Perf, Pas, Past, 3, kFull3, "he had not been written"},
      {St, true, Perf, Pas, Pres, 7, kShort3, "they haven't been written"},
      {St, true, Perf, Pas, Fut, 1, kShort3, "I shan't have been written"},
      {St, true, PerfCont, Act, Past, 3, kShort3, "he hadn't been writing"},
      {St, true, PerfCont, Act, Pres, 4, kShort3, "she hasn't been writing"},
      {St, true, PerfCont, Act, Fut, 6, kShort3, "we shan't have been writing"},
      {St, true, PerfCont, Act, Fut, 7, kFull3, "they will not have been writing"},
      {St, true, PerfCont, Pas, Past, 3, kNone, ""},
      // Any subject contracts in a negative.
      {St, true, Cont, Act, Pres, 3, kShort3, "the boy isn't writing", "the boy"},
  });
}

TEST(Practice4Sentences, Questions) {
  CheckRows({
      {Q, false, Ind, Act, Past, 3, kNone, "did he write?"},
      {Q, false, Ind, Act, Pres, 3, kNone, "does he write?"},
      {Q, false, Ind, Act, Pres, 2, kNone, "do you write?"},
      {Q, false, Ind, Act, Fut, 1, kNone, "shall I write?"},
      {Q, false, Ind, Act, Fut, 3, kNone, "will he write?"},
      {Q, false, Ind, Pas, Past, 3, kNone, "was he written?"},
      {Q, false, Ind, Pas, Past, 2, kNone, "were you written?"},
      {Q, false, Ind, Pas, Pres, 1, kNone, "am I written?"},
      {Q, false, Ind, Pas, Pres, 3, kNone, "is he written?"},
      {Q, false, Ind, Pas, Fut, 6, kNone, "shall we be written?"},
      {Q, false, Cont, Act, Past, 7, kNone, "were they writing?"},
      {Q, false, Cont, Act, Pres, 2, kNone, "are you writing?"},
      {Q, false, Cont, Act, Fut, 4, kNone, "will she be writing?"},
      {Q, false, Cont, Pas, Past, 5, kNone, "was it being written?"},
      {Q, false, Cont, Pas, Pres, 1, kNone, "am I being written?"},
      {Q, false, Cont, Pas, Fut, 1, kNone, ""},
      {Q, false, Perf, Act, Past, 3, kNone, "had he written?"},
      {Q, false, Perf, Act, Pres, 3, kNone, "has he written?"},
      {Q, false, Perf, Act, Pres, 7, kNone, "have they written?"},
      {Q, false, Perf, Act, Fut, 2, kNone, "will you have written?"},
      {Q, false, Perf, Pas, Past, 3, kNone, "had he been written?"},
      {Q, false, Perf, Pas, Pres, 4, kNone, "has she been written?"},
      {Q, false, Perf, Pas, Fut, 6, kNone, "shall we have been written?"},
      {Q, false, PerfCont, Act, Past, 7, kNone, "had they been writing?"},
      {Q, false, PerfCont, Act, Pres, 2, kNone, "have you been writing?"},
      {Q, false, PerfCont, Act, Fut, 3, kNone, "will he have been writing?"},
      {Q, false, PerfCont, Pas, Pres, 3, kNone, ""},
      // Negative questions: R(2) != 0 full, 0 contracted.
      {Q, true, Ind, Act, Past, 3, kFull2, "did he not write?"},
      {Q, true, Ind, Act, Past, 3, kShort2, "didn't he write?"},
      {Q, true, Ind, Act, Pres, 4, kFull2, "does she not write?"},
      {Q, true, Ind, Act, Pres, 2, kShort2, "don't you write?"},
      {Q, true, Ind, Act, Fut, 6, kShort2, "shan't we write?"},
      {Q, true, Ind, Act, Fut, 3, kShort2, "won't he write?"},
      {Q, true, Ind, Act, Fut, 1, kFull2, "shall I not write?"},
      {Q, true, Ind, Pas, Past, 3, kShort2, "wasn't he written?"},
      {Q, true, Ind, Pas, Pres, 3, kShort2, "isn't he written?"},
      {Q, true, Ind, Pas, Pres, 2, kShort2, "aren't you written?"},
      {Q, true, Ind, Pas, Pres, 1, kShort2, "am I not written?"},
      {Q, true, Ind, Pas, Pres, 1, kFull2, "am I not written?"},
      {Q, true, Ind, Pas, Fut, 7, kShort2, "won't they be written?"},
      {Q, true, Ind, Pas, Fut, 3, kFull2, "will he not be written?"},
      {Q, true, Cont, Act, Past, 7, kShort2, "weren't they writing?"},
      {Q, true, Cont, Act, Pres, 1, kShort2, "am I not writing?"},
      {Q, true, Cont, Act, Pres, 2, kFull2, "are you not writing?"},
      {Q, true, Cont, Pas, Pres, 1, kShort2, "am I not being written?"},
      {Q, true, Cont, Pas, Pres, 7, kFull2, "are they not being written?"},
      {Q, true, Cont, Pas, Fut, 7, kNone, ""},
      {Q, true, Perf, Act, Past, 4, kShort2, "hadn't she written?"},
      {Q, true, Perf, Act, Pres, 3, kShort2, "hasn't he written?"},
      {Q, true, Perf, Act, Pres, 1, kShort2, "haven't I written?"},
      {Q, true, Perf, Act, Pres, 6, kFull2, "have we not written?"},
      {Q, true, Perf, Act, Fut, 2, kShort2, "won't you have written?"},
      {Q, true, Perf, Pas, Past, 3, kShort2, "hadn't he been written?"},
      {Q, true, Perf, Pas, Pres, 7, kShort2, "haven't they been written?"},
      {Q, true, Perf, Pas, Fut, 1, kShort2, "shan't I have been written?"},
      {Q, true, Perf, Pas, Fut, 6, kFull2, "shall we not have been written?"},
      {Q, true, PerfCont, Act, Past, 3, kFull2, "had he not been writing?"},
      {Q, true, PerfCont, Act, Pres, 5, kShort2, "hasn't it been writing?"},
      {Q, true, PerfCont, Act, Fut, 7, kShort2, "won't they have been writing?"},
      {Q, true, PerfCont, Pas, Fut, 7, kNone, ""},
  });
}

TEST(Practice4Sentences, Imperatives) {
  // Only the aspect matters: Perfect Continuous asks, the others order.
  CheckRows({
      {Imp, false, Ind, Act, Pres, 1, kNone, ""},
      {Imp, false, PerfCont, Act, Pres, 1, kNone, ""},
      {Imp, true, Ind, Act, Pres, 1, kNone, ""},
      {Imp, true, PerfCont, Pas, Fut, 1, kNone, ""},
      {Imp, false, Ind, Pas, Fut, 2, kNone, "write"},
      {Imp, false, PerfCont, Act, Pres, 2, {{3, 0}}, "write, please"},
      {Imp, false, PerfCont, Act, Pres, 2, {{3, 1}}, "write, will you?"},
      {Imp, false, PerfCont, Pas, Pres, 2, {{3, 2}}, "write, won't you?"},
      {Imp, true, Cont, Act, Pres, 2, {{2, 0}}, "don't write"},
      {Imp, true, Perf, Act, Pres, 2, {{2, 1}}, "do not write"},
      {Imp, true, PerfCont, Act, Pres, 2, {{3, 0}, {2, 0}}, "don't write, please"},
      {Imp, true, PerfCont, Act, Pres, 2, {{3, 1}, {2, 0}}, "don't write, will you?"},
      // "won't you?" does not follow a negative imperative: its place goes to "will you?".
      {Imp, true, PerfCont, Act, Pres, 2, {{3, 2}, {2, 1}}, "do not write, will you?"},
      {Imp, false, Ind, Act, Past, 6, {{2, 0}}, "let's write"},
      {Imp, false, Ind, Act, Past, 6, {{2, 1}}, "let us write"},
      {Imp, false, PerfCont, Act, Past, 6, {{2, 0}}, "let's write, please"},
      {Imp, false, PerfCont, Act, Past, 6, {{2, 1}}, "let us write, please"},
      {Imp, true, Ind, Act, Pres, 6, {{2, 1}, {2, 0}}, "don't let us write"},
      {Imp, true, Ind, Act, Pres, 6, {{2, 1}, {2, 1}}, "do not let us write"},
      {Imp, true, Ind, Act, Pres, 6, {{2, 0}, {2, 0}}, "let's not write"},
      {Imp, true, Ind, Act, Pres, 6, {{2, 0}, {2, 1}}, "let us not write"},
      {Imp, true, PerfCont, Act, Pres, 6, {{2, 1}, {2, 0}}, "don't let us write, please"},
      {Imp, true, PerfCont, Act, Pres, 6, {{2, 0}, {2, 1}}, "let us not write, please"},
      // "let" takes the object form of a pronoun; nouns stay as they are.
      {Imp, false, Ind, Act, Pres, 3, kNone, "let him write"},
      {Imp, false, PerfCont, Act, Pres, 4, kNone, "let her write, please"},
      {Imp, false, Ind, Act, Pres, 5, kNone, "let it write"},
      {Imp, false, Ind, Act, Pres, 7, kNone, "let them write"},
      {Imp, false, Ind, Act, Pres, 4, kNone, "let the girl write", "the girl"},
      {Imp, true, Ind, Act, Pres, 3, {{2, 1}, {2, 0}}, "don't let him write"},
      {Imp, true, Cont, Act, Pres, 7, {{2, 1}, {2, 1}}, "do not let them write"},
      {Imp, true, Perf, Act, Pres, 5, {{2, 0}}, "let it not write"},
      {Imp, true, PerfCont, Act, Pres, 3, {{2, 0}}, "let him not write, please"},
      {Imp, true, PerfCont, Act, Pres, 7, {{2, 1}, {2, 0}}, "don't let the boys write, please",
       "the boys"},
  });
}

// A verb's simple past comes from its third field, and the participle is used for
// every other past form; a verb without the third field falls back to the fourth.
TEST(Practice4Sentences, SimplePastAndParticiple) {
  const SentenceForm past{St, false, Ind, Act, Past, 3};
  const SentenceForm perfect{St, false, Perf, Act, Pres, 4};
  lx::VerbEntry regular{"ask", "", "", "asked", "asking", "asks"};
  Script a{{{3, 1}}}, b{{{3, 1}}}, c{{{3, 1}}};
  EXPECT_EQ(lx::BuildSentence(past, "he", true, regular, a.source()), "he asked");
  EXPECT_EQ(lx::BuildSentence(past, "he", true, kWrite, b.source()), "he wrote");
  EXPECT_EQ(lx::BuildSentence(perfect, "she", true, kWrite, c.source()), "she has written");
}

lx::NounGroups SmallNouns() {
  return lx::ParseNounGroups(
      "I\t\xff\r\n*\r\nyou\t\xf2\xfb\r\n*\r\nhe\t\xee\xed\r\nthe boy\t\xec\xe0\xeb\xfc\xf7\xe8\xea\r\n*"
      "\r\nshe\t\xee\xed\xe0\r\nthe girl\t\xe4\xe5\xe2\xee\xf7\xea\xe0\r\n*\r\nit\r\n*\r\nwe\t\xec\xfb"
      "\r\n*\r\nthey\t\xee\xed\xe8");
}
lx::VerbTable SmallVerbs() {
  return lx::ParseVerbTable("write\t\xef\xe8\xf1\xe0\xf2\xfc\twrote\twritten\twriting\twrites\r\n");
}

std::vector<std::string> Texts(const std::vector<lx::Fragment>& f, bool utf8 = true) {
  std::vector<std::string> out;
  for (const lx::Fragment& x : f)
    out.push_back(std::to_string(x.code) + (x.endsLine ? "|" : ">") +
                  (utf8 ? lx::Cp1251ToUtf8(x.text) : x.text));
  return out;
}

TEST(Practice4Draw, RedrawsEmptyCombinationsAndCapitalises) {
  const lx::NounGroups nouns = SmallNouns();
  const lx::VerbTable verbs = SmallVerbs();
  Script s{{// An imperative for group 1: nothing, drawn again.
            {10, 3}, {3, 1}, {4, 0}, {5, 0}, {3, 0}, {12, 1}, {1, 0}, {1, 0},
            // Continuous passive future of group 3: nothing.
            {10, 5}, {3, 1}, {4, 1}, {5, 3}, {3, 2}, {12, 5}, {2, 1}, {1, 0},
            // A Perfect Continuous passive question: nothing.
            {10, 0}, {3, 0}, {4, 3}, {5, 4}, {3, 1}, {12, 4}, {1, 0}, {1, 0},
            // A statement: the girl writes.
            {10, 9}, {3, 1}, {4, 0}, {5, 0}, {3, 1}, {12, 6}, {2, 1}, {1, 0}, {3, 2}}};
  const lx::Practice4Task t = lx::DrawPractice4(nouns, verbs, s.source());
  EXPECT_TRUE(s.draws.empty());
  EXPECT_EQ(t.draws, 4);
  EXPECT_EQ(t.sentence, "The girl writes");
  EXPECT_EQ(t.form.group, 4);
  EXPECT_EQ(t.subject, 2);
  const std::vector<std::string> answer = {
      "1|", "4>Изъявительное ", "4>утвердительное ", "4|предложение", "1>Indefinite - ",
      "1>Active - ", "1|Present", "3|девочка", "3|писать", "1|"};
  EXPECT_EQ(Texts(lx::Practice4Answer(t, nouns, verbs)), answer);

  Script let{{{10, 3}, {3, 0}, {4, 3}, {5, 0}, {3, 0}, {12, 8}, {1, 0}, {1, 0}, {2, 0}, {2, 0}}};
  const lx::Practice4Task l = lx::DrawPractice4(nouns, verbs, let.source());
  EXPECT_EQ(l.sentence, "Let's not write, please");
  EXPECT_EQ(Texts(lx::Practice4Answer(l, nouns, verbs))[1], "4>Повелительное ");
  EXPECT_EQ(Texts(lx::Practice4Answer(l, nouns, verbs))[2], "4>отрицательное ");
  EXPECT_EQ(Texts(lx::Practice4Answer(l, nouns, verbs))[4], "1|просьба ");

  Script q{{{10, 2}, {3, 2}, {4, 3}, {5, 0}, {3, 1}, {12, 11}, {1, 0}, {1, 0}}};
  const lx::Practice4Task pq = lx::DrawPractice4(nouns, verbs, q.source());
  EXPECT_EQ(pq.sentence, "Have they been writing?");
  const auto pqa = Texts(lx::Practice4Answer(pq, nouns, verbs));
  EXPECT_EQ(pqa[1], "4>Вопросительное ");
  EXPECT_EQ(pqa[4], "1>Perfect_Continuous - ");
}

TEST(Practice5, PhrasesAndAnswers) {
  struct Case {
    int32_t kind, form;
    const char* phrase;
    std::vector<const char*> lines;
  };
  const Case cases[] = {
      {1, 1, "he wrote", {"subjunctive (невозможное), неперфектное"}},
      {1, 2, "he had written", {"subjunctive (невозможное), перфектное"}},
      {1, 3, "he would write", {"conditional (нет условий), неперфектное"}},
      {1, 4, "he would have written", {"conditional (нет условий), перфектное"}},
      {1, 5, "he should write", {"suppositional (предположение)."}},
      {2, 1, "to write", {"Инфинитив (что делать?). Indefinite. Active."}},
      {2, 2, "to be written", {"Инфинитив (что делать?). Indefinite. Passive."}},
      {2, 3, "to be writing", {"Инфинитив (что делать?). Continuous. Active."}},
      {2, 4, "to have written", {"Инфинитив (что делать?). Perfect. Active."}},
      {2, 5, "to have been written", {"Инфинитив (что делать?). Perfect. Passive."}},
      {2, 6, "to have been writing", {"Инфинитив (что делать?). Perfect Continuous. Active."}},
      {2, 7, "written", {"Причастие 2 (какой?)"}},
      {2, 8, "writing",
       {"Причастие 1 (как?). Indefinite. Active.", "Герундий (что?). Indefinite. Active."}},
      {2, 9, "being written",
       {"Причастие 1 (как?). Indefinite. Passive.", "Герундий (что?). Indefinite. Passive."}},
      {2, 10, "having written",
       {"Причастие 1 (как?). Perfect. Active.", "Герундий (что?). Perfect. Active."}},
      {2, 11, "having been written",
       {"Причастие 1 (как?). Perfect. Passive.", "Герундий (что?). Perfect. Passive."}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lx::BuildPhrase(c.kind, c.form, "he", kWrite), c.phrase);
    std::vector<std::string> lines;
    for (const std::string& l : lx::PhraseAnswerLines(c.kind, c.form)) lines.push_back(lx::Cp1251ToUtf8(l));
    EXPECT_EQ(lines, std::vector<std::string>(c.lines.begin(), c.lines.end())) << c.phrase;
  }
  const lx::VerbEntry noPast{"ask", "", "", "asked", "asking", "asks"};
  EXPECT_EQ(lx::BuildPhrase(1, 1, "we", noPast), "we asked");

  const lx::NounGroups nouns = SmallNouns();
  const lx::VerbTable verbs = SmallVerbs();
  Script mood{{{2, 0}, {5, 0}, {12, 5}, {2, 1}, {1, 0}}};
  const lx::Practice5Task m = lx::DrawPractice5(nouns, verbs, mood.source());
  EXPECT_EQ(m.phrase, "the boy wrote");
  EXPECT_EQ(Texts(lx::Practice5Answer(m, nouns, verbs)),
            (std::vector<std::string>{"1|", "2|subjunctive (невозможное), неперфектное", "1|",
                                      "3|мальчик", "3|писать"}));
  Script nonFinite{{{2, 1}, {11, 8}, {12, 0}, {1, 0}, {1, 0}}};
  const lx::Practice5Task n = lx::DrawPractice5(nouns, verbs, nonFinite.source());
  EXPECT_EQ(n.phrase, "being written");
  EXPECT_EQ(Texts(lx::Practice5Answer(n, nouns, verbs)),
            (std::vector<std::string>{"1|", "2|Причастие 1 (как?). Indefinite. Passive.",
                                      "2|Герундий (что?). Indefinite. Passive.", "1|", "3|",
                                      "3|писать"}));
}

TEST(DrillTables, Parsing) {
  const lx::NounGroups nouns = SmallNouns();
  EXPECT_EQ(nouns.groups[2].size(), 2u);
  EXPECT_EQ(nouns.groups[4][0].english, "it");
  EXPECT_EQ(nouns.groups[4][0].russian, "");
  EXPECT_EQ(nouns.groups[6][0].english, "they");  // no final line end

  std::string text = std::string(100000, 'x') + "\tlong\r\n*\r\n";
  for (int i = 0; i < 150; ++i) text += "n" + std::to_string(i) + "\r\n";
  for (int i = 0; i < 9; ++i) text += "*\r\nextra\r\n";
  const lx::NounGroups big = lx::ParseNounGroups(text);
  EXPECT_EQ(big.groups[0][0].english.size(), 100000u);
  EXPECT_EQ(big.groups[1].size(), lx::NounGroups::kMaxEntries);
  EXPECT_EQ(big.groups[6].size(), 1u);
  EXPECT_EQ(lx::SubjectAt(big, 8, 1).english, "");
  EXPECT_EQ(lx::SubjectAt(big, 1, 0).english, "");

  std::string verbs;
  for (int i = 0; i < 250; ++i) verbs += "b\tr\tp\tpp\ti\tx\r\n";
  std::string many = "go\tidti\twent\tgone\tgoing\tgoes";
  for (int i = 0; i < 120; ++i) many += "\tmore";
  const lx::VerbTable v = lx::ParseVerbTable(many + "\r\n\r\nbe\r\n" + verbs);
  ASSERT_EQ(v.verbs.size(), lx::VerbTable::kMaxVerbs);
  EXPECT_EQ(v.verbs[0].third, "goes");
  EXPECT_EQ(v.verbs[1].base, "");
  EXPECT_EQ(v.verbs[2].base, "be");
  EXPECT_EQ(v.verbs[2].participle, "");
  EXPECT_TRUE(lx::ParseVerbTable("").verbs.empty());
  EXPECT_TRUE(lx::ParseNounGroups("").groups[0].empty());
}

// Empty tables draw entry 1, which is empty, and never fail.
TEST(DrillTables, EmptyTablesAreSafe) {
  const lx::NounGroups nouns;
  const lx::VerbTable verbs;
  std::mt19937 rng(3);
  const lx::RandomSource random = [&](int32_t m) {
    return std::uniform_int_distribution<int32_t>(0, m - 1)(rng);
  };
  for (int i = 0; i < 200; ++i) {
    const lx::Practice4Task t = lx::DrawPractice4(nouns, verbs, random);
    EXPECT_EQ(t.subject, 1);
    lx::Practice4Answer(t, nouns, verbs);
    lx::Practice5Answer(lx::DrawPractice5(nouns, verbs, random), nouns, verbs);
  }
}

// The course tables: seven groups, full verb lines, and every draw gives text.
TEST(DrillTables, CourseDataIsComplete) {
  const std::string dir = std::string(LEXITAR_SOURCE_DIR) + "/data/";
  const lx::NounGroups nouns = lx::LoadNounGroups(dir + "noun.txt");
  const lx::VerbTable verbs = lx::LoadVerbTable(dir + "verb.txt");
  const char* const firsts[] = {"I", "you", "he", "she", "it", "we", "they"};
  for (size_t g = 0; g < nouns.groups.size(); ++g) {
    ASSERT_FALSE(nouns.groups[g].empty()) << g + 1;
    EXPECT_EQ(nouns.groups[g][0].english, firsts[g]);
    for (const lx::NounEntry& e : nouns.groups[g]) {
      EXPECT_FALSE(e.english.empty());
      EXPECT_FALSE(e.russian.empty()) << e.english;
    }
  }
  ASSERT_GE(verbs.verbs.size(), 40u);
  for (const lx::VerbEntry& v : verbs.verbs) {
    for (const std::string* f : {&v.base, &v.russian, &v.past, &v.participle, &v.ing, &v.third})
      EXPECT_FALSE(f->empty()) << v.base;
  }
  std::mt19937 rng(11);
  const lx::RandomSource random = [&](int32_t m) {
    return std::uniform_int_distribution<int32_t>(0, m - 1)(rng);
  };
  for (int i = 0; i < 3000; ++i) {
    const std::string s4 = lx::DrawPractice4(nouns, verbs, random).sentence;
    const std::string s5 = lx::DrawPractice5(nouns, verbs, random).phrase;
    ASSERT_FALSE(s4.empty());
    ASSERT_EQ(s4.find("  "), std::string::npos) << s4;
    ASSERT_FALSE(s5.empty());
    ASSERT_EQ(s5.find("  "), std::string::npos) << s5;
  }
  std::string raw;
  ASSERT_TRUE(lx::ReadFileBytes(dir + "verb.txt", raw));
  EXPECT_EQ(raw.find('\n'), raw.find("\r\n") + 1);
  EXPECT_THROW(lx::LoadVerbTable(dir + "absent.txt"), lx::FileError);
}

}  // namespace
