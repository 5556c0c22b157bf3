// Every sentence and phrase the drills can build from the course tables is
// grammatical English. The checks know English, not the builders: how regular
// verbs and the irregular ones of a grammar book inflect, which auxiliary agrees
// with which subject, what may follow a modal, a form of "have" or of "be", where
// "not" stands, and when "a" becomes "an".
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/foldcase.h"
#include "drills/sentences.h"

namespace {

// ---- Verb forms ----

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

int VowelGroups(const std::string& w) {
  int groups = 0;
  for (size_t i = 0; i < w.size(); ++i)
    if (IsVowel(w[i]) && (i == 0 || !IsVowel(w[i - 1]))) ++groups;
  return groups;
}

// A final consonant after a single vowel doubles before -ed and -ing in words of one
// syllable, in longer words stressed on the last syllable, and (in British spelling)
// after a single vowel in a final -l.
bool DoublesLast(const std::string& b) {
  static const std::set<std::string> kStressedLast{"admit", "begin",  "commit", "control", "forbid", "forget",
                                                   "occur", "permit", "prefer", "refer",   "regret", "upset"};
  if (b.size() < 3) return false;
  const char last = b.back(), vowel = b[b.size() - 2], before = b[b.size() - 3];
  if (IsVowel(last) || last == 'w' || last == 'x' || last == 'y' || !IsVowel(vowel)) return false;
  if (IsVowel(before) && !(before == 'u' && b.size() > 3 && b[b.size() - 4] == 'q')) return false;
  return VowelGroups(b) == 1 || kStressedLast.count(b) > 0 || last == 'l';
}

bool ConsonantY(const std::string& b) { return b.size() > 1 && b.back() == 'y' && !IsVowel(b[b.size() - 2]); }

std::string RegularPast(const std::string& b) {
  if (b.back() == 'e') return b + "d";
  if (ConsonantY(b)) return b.substr(0, b.size() - 1) + "ied";
  if (DoublesLast(b)) return b + b.back() + "ed";
  return b + "ed";
}

std::string IngForm(const std::string& b) {
  if (b.size() > 2 && b.ends_with("ie")) return b.substr(0, b.size() - 2) + "ying";
  if (b.size() > 2 && b.back() == 'e' && !b.ends_with("ee") && !b.ends_with("ye") && !b.ends_with("oe"))
    return b.substr(0, b.size() - 1) + "ing";
  if (DoublesLast(b)) return b + b.back() + "ing";
  return b + "ing";
}

std::string ThirdForm(const std::string& b) {
  if (b == "have") return "has";
  if (b == "do" || b == "go") return b + "es";
  for (const char* end : {"s", "x", "z", "ch", "sh"})
    if (b.ends_with(end)) return b + "es";
  if (ConsonantY(b)) return b.substr(0, b.size() - 1) + "ies";
  return b + "s";
}

struct Irregular {
  const char* past;
  const char* participle;
};
// The irregular verbs of a beginner's grammar book, past and past participle.
const std::map<std::string, Irregular>& IrregularVerbs() {
  static const std::map<std::string, Irregular> kVerbs{
      {"be", {"was", "been"}},          {"beat", {"beat", "beaten"}},       {"become", {"became", "become"}},
      {"begin", {"began", "begun"}},    {"bend", {"bent", "bent"}},         {"bite", {"bit", "bitten"}},
      {"blow", {"blew", "blown"}},      {"break", {"broke", "broken"}},     {"bring", {"brought", "brought"}},
      {"build", {"built", "built"}},    {"buy", {"bought", "bought"}},      {"catch", {"caught", "caught"}},
      {"choose", {"chose", "chosen"}},  {"come", {"came", "come"}},         {"cost", {"cost", "cost"}},
      {"cut", {"cut", "cut"}},          {"dig", {"dug", "dug"}},            {"do", {"did", "done"}},
      {"draw", {"drew", "drawn"}},      {"drink", {"drank", "drunk"}},      {"drive", {"drove", "driven"}},
      {"eat", {"ate", "eaten"}},        {"fall", {"fell", "fallen"}},       {"feed", {"fed", "fed"}},
      {"feel", {"felt", "felt"}},       {"fight", {"fought", "fought"}},    {"find", {"found", "found"}},
      {"fly", {"flew", "flown"}},       {"forbid", {"forbade", "forbidden"}}, {"forget", {"forgot", "forgotten"}},
      {"forgive", {"forgave", "forgiven"}}, {"freeze", {"froze", "frozen"}}, {"get", {"got", "got"}},
      {"give", {"gave", "given"}},      {"go", {"went", "gone"}},           {"grow", {"grew", "grown"}},
      {"hang", {"hung", "hung"}},       {"have", {"had", "had"}},           {"hear", {"heard", "heard"}},
      {"hide", {"hid", "hidden"}},      {"hit", {"hit", "hit"}},            {"hold", {"held", "held"}},
      {"hurt", {"hurt", "hurt"}},       {"keep", {"kept", "kept"}},         {"know", {"knew", "known"}},
      {"lay", {"laid", "laid"}},        {"lead", {"led", "led"}},           {"leave", {"left", "left"}},
      {"lend", {"lent", "lent"}},       {"let", {"let", "let"}},            {"lie", {"lay", "lain"}},
      {"light", {"lit", "lit"}},        {"lose", {"lost", "lost"}},         {"make", {"made", "made"}},
      {"mean", {"meant", "meant"}},     {"meet", {"met", "met"}},           {"pay", {"paid", "paid"}},
      {"put", {"put", "put"}},          {"read", {"read", "read"}},         {"ride", {"rode", "ridden"}},
      {"ring", {"rang", "rung"}},       {"rise", {"rose", "risen"}},        {"run", {"ran", "run"}},
      {"say", {"said", "said"}},        {"see", {"saw", "seen"}},           {"sell", {"sold", "sold"}},
      {"send", {"sent", "sent"}},       {"set", {"set", "set"}},            {"sew", {"sewed", "sewn"}},
      {"shake", {"shook", "shaken"}},   {"shoot", {"shot", "shot"}},        {"show", {"showed", "shown"}},
      {"shut", {"shut", "shut"}},       {"sing", {"sang", "sung"}},         {"sit", {"sat", "sat"}},
      {"sleep", {"slept", "slept"}},    {"speak", {"spoke", "spoken"}},     {"spend", {"spent", "spent"}},
      {"stand", {"stood", "stood"}},    {"steal", {"stole", "stolen"}},     {"sweep", {"swept", "swept"}},
      {"swim", {"swam", "swum"}},       {"take", {"took", "taken"}},        {"teach", {"taught", "taught"}},
      {"tear", {"tore", "torn"}},       {"tell", {"told", "told"}},         {"think", {"thought", "thought"}},
      {"throw", {"threw", "thrown"}},   {"understand", {"understood", "understood"}},
      {"upset", {"upset", "upset"}},    {"wake", {"woke", "woken"}},        {"wear", {"wore", "worn"}},
      {"win", {"won", "won"}},          {"write", {"wrote", "written"}}};
  return kVerbs;
}
// Verbs whose regular forms and -t forms are both standard British English.
const std::map<std::string, std::string> kEitherForm{
    {"burn", "burnt"}, {"dream", "dreamt"}, {"learn", "learnt"}, {"smell", "smelt"}, {"spell", "spelt"}};

// What is wrong with the forms of `v`, or an empty text.
std::string VerbFormFaults(const lx::VerbEntry& v) {
  std::ostringstream out;
  const std::string& b = v.base;
  if (b.empty()) return "no base form";
  std::string past = RegularPast(b), participle = past;
  if (const auto it = IrregularVerbs().find(b); it != IrregularVerbs().end()) {
    past = it->second.past;
    participle = it->second.participle;
  } else if (const auto either = kEitherForm.find(b); either != kEitherForm.end() && v.past == either->second) {
    past = participle = either->second;
  }
  if (v.past != past) out << " past " << v.past << " (" << past << ")";
  if (v.participle != participle) out << " participle " << v.participle << " (" << participle << ")";
  if (v.ing != IngForm(b)) out << " -ing " << v.ing << " (" << IngForm(b) << ")";
  if (v.third != ThirdForm(b)) out << " third person " << v.third << " (" << ThirdForm(b) << ")";
  return out.str();
}

TEST(VerbForms, SpellingRules) {
  struct Case {
    const char* base;
    const char* ing;
    const char* third;
    const char* past;
  } cases[] = {
      {"stop", "stopping", "stops", "stopped"},   {"try", "trying", "tries", "tried"},
      {"lie", "lying", "lies", "lied"},           {"tie", "tying", "ties", "tied"},
      {"make", "making", "makes", "maked"},       {"see", "seeing", "sees", "seed"},
      {"visit", "visiting", "visits", "visited"}, {"begin", "beginning", "begins", "beginned"},
      {"open", "opening", "opens", "opened"},     {"travel", "travelling", "travels", "travelled"},
      {"play", "playing", "plays", "played"},     {"watch", "watching", "watches", "watched"},
      {"fix", "fixing", "fixes", "fixed"},        {"go", "going", "goes", "goed"},
      {"quit", "quitting", "quits", "quitted"},   {"rain", "raining", "rains", "rained"},
      {"sew", "sewing", "sews", "sewed"},         {"prefer", "preferring", "prefers", "preferred"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IngForm(c.base), c.ing);
    EXPECT_EQ(ThirdForm(c.base), c.third);
    EXPECT_EQ(RegularPast(c.base), c.past);
  }
  // The faults the table check exists for.
  EXPECT_NE(VerbFormFaults({"stop", "", "stoped", "stoped", "stoping", "stops"}), "");
  EXPECT_NE(VerbFormFaults({"write", "", "wrote", "wrote", "writing", "writes"}), "");
  EXPECT_NE(VerbFormFaults({"try", "", "tried", "tried", "trying", "trys"}), "");
  EXPECT_NE(VerbFormFaults({"ask", "", "ask", "asked", "asking", "asks"}), "");
  EXPECT_EQ(VerbFormFaults({"learn", "", "learnt", "learnt", "learning", "learns"}), "");
  EXPECT_EQ(VerbFormFaults({"write", "", "wrote", "written", "writing", "writes"}), "");
}

// ---- Subjects ----

enum class Person { First, Third, Plural };  // I; he, she, it and singular nouns; you, we, they and plurals

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

Person PersonOf(const std::string& subject) {
  static const std::set<std::string> kPlural{"you", "we", "they", "children", "people", "men", "women"};
  const std::vector<std::string> words = Words(lx::FoldLower(subject));
  if (words.size() == 1 && words[0] == "i") return Person::First;
  for (const std::string& w : words)
    if (w == "and") return Person::Plural;
  const std::string& last = words.empty() ? std::string() : words.back();
  if (kPlural.count(last) || (last.size() > 2 && last.back() == 's' && !last.ends_with("ss"))) return Person::Plural;
  return Person::Third;
}

Person PersonOfGroup(int32_t g) { return g == 1 ? Person::First : g >= 3 && g <= 5 ? Person::Third : Person::Plural; }

// "an" before a vowel sound, "a" before a consonant sound.
std::string ArticleFaults(const std::string& text) {
  static const std::vector<std::string> kConsonantSound{"uni", "use", "usu", "eu", "one", "once"};
  static const std::vector<std::string> kVowelSound{"hour", "honest", "honour", "heir"};
  const std::vector<std::string> words = Words(lx::FoldLower(text));
  std::string faults;
  for (size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i] != "a" && words[i] != "an") continue;
    const std::string& next = words[i + 1];
    bool vowel = IsVowel(next[0]);
    for (const std::string& p : kConsonantSound)
      if (next.starts_with(p)) vowel = false;
    for (const std::string& p : kVowelSound)
      if (next.starts_with(p)) vowel = true;
    if ((words[i] == "an") != vowel) faults += " \"" + words[i] + " " + next + "\"";
  }
  return faults;
}

TEST(Subjects, PersonAndArticles) {
  EXPECT_EQ(PersonOf("I"), Person::First);
  EXPECT_EQ(PersonOf("Tom and Mary"), Person::Plural);
  EXPECT_EQ(PersonOf("the children"), Person::Plural);
  EXPECT_EQ(PersonOf("my parents"), Person::Plural);
  EXPECT_EQ(PersonOf("the old man"), Person::Third);
  EXPECT_EQ(ArticleFaults("an engineer and a university and an hour"), "");
  EXPECT_EQ(ArticleFaults("a engineer"), " \"a engineer\"");
  EXPECT_EQ(ArticleFaults("an book and an useful"), " \"an book\" \"an useful\"");
}

// ---- Sentences ----

// Contractions written out; "'s" and "'d" stand for two words each, kept as
// alternatives ("is|has", "had|would").
std::vector<std::string> Expand(const std::string& sentence) {
  static const std::map<std::string, std::vector<std::string>> kWhole{
      {"don't", {"do", "not"}},       {"doesn't", {"does", "not"}}, {"didn't", {"did", "not"}},
      {"isn't", {"is", "not"}},       {"aren't", {"are", "not"}},   {"wasn't", {"was", "not"}},
      {"weren't", {"were", "not"}},   {"hasn't", {"has", "not"}},   {"haven't", {"have", "not"}},
      {"hadn't", {"had", "not"}},     {"won't", {"will", "not"}},   {"shan't", {"shall", "not"}},
      {"let's", {"let", "us"}}};
  static const std::vector<std::pair<std::string, std::string>> kTails{
      {"'ll", "will"}, {"'m", "am"}, {"'re", "are"}, {"'ve", "have"}, {"'s", "is|has"}, {"'d", "had|would"}};
  std::vector<std::string> out;
  for (const std::string& word : Words(sentence)) {
    const std::string lower = lx::FoldLower(word);
    if (const auto it = kWhole.find(lower); it != kWhole.end()) {
      out.insert(out.end(), it->second.begin(), it->second.end());
      continue;
    }
    bool split = false;
    for (const auto& [tail, full] : kTails)
      if (word.size() > tail.size() && word.ends_with(tail)) {
        out.push_back(word.substr(0, word.size() - tail.size()));
        out.push_back(full);
        split = true;
        break;
      }
    if (!split) out.push_back(word);
  }
  return out;
}

// The verb chain that follows a finite auxiliary, "to", "being" or "having":
// what may come next in each state, ending in exactly one form of the lexical verb.
enum class After { Modal, Do, Have, Be, Been, Being, Start };

bool Chain(const std::vector<std::string>& t, size_t i, After state, const lx::VerbEntry& v) {
  if (i >= t.size()) return false;
  const std::string& w = t[i];
  const bool last = i + 1 == t.size();
  auto lexical = [&](const std::string& form) { return last && w == form; };
  switch (state) {
    case After::Modal:
      return lexical(v.base) || (w == "be" && Chain(t, i + 1, After::Be, v)) ||
             (w == "have" && Chain(t, i + 1, After::Have, v));
    case After::Do: return lexical(v.base);
    case After::Have: return lexical(v.participle) || (w == "been" && Chain(t, i + 1, After::Been, v));
    case After::Be:
      return lexical(v.ing) || lexical(v.participle) || (w == "being" && Chain(t, i + 1, After::Being, v));
    case After::Been: return lexical(v.ing) || lexical(v.participle);
    case After::Being: return lexical(v.participle);
    case After::Start:
      return lexical(v.participle) || lexical(v.ing) || (w == "to" && Chain(t, i + 1, After::Modal, v)) ||
             (w == "being" && Chain(t, i + 1, After::Being, v)) || (w == "having" && Chain(t, i + 1, After::Have, v));
  }
  return false;
}

// The state a finite auxiliary leads to, if `w` is one that agrees with `person`.
bool FiniteAux(const std::string& w, Person person, After& next) {
  static const std::map<std::string, std::pair<After, std::set<Person>>> kAux{
      {"am", {After::Be, {Person::First}}},
      {"is", {After::Be, {Person::Third}}},
      {"are", {After::Be, {Person::Plural}}},
      {"was", {After::Be, {Person::First, Person::Third}}},
      {"were", {After::Be, {Person::Plural}}},
      {"has", {After::Have, {Person::Third}}},
      {"have", {After::Have, {Person::First, Person::Plural}}},
      {"had", {After::Have, {Person::First, Person::Third, Person::Plural}}},
      {"does", {After::Do, {Person::Third}}},
      {"do", {After::Do, {Person::First, Person::Plural}}},
      {"did", {After::Do, {Person::First, Person::Third, Person::Plural}}},
      {"will", {After::Modal, {Person::First, Person::Third, Person::Plural}}},
      {"shall", {After::Modal, {Person::First, Person::Plural}}},
      {"would", {After::Modal, {Person::First, Person::Third, Person::Plural}}},
      {"should", {After::Modal, {Person::First, Person::Third, Person::Plural}}}};
  const auto it = kAux.find(lx::FoldLower(w));
  if (it == kAux.end() || !it->second.second.count(person)) return false;
  next = it->second.first;
  return true;
}

// Tries every reading of the alternatives ("is|has") left in `t`.
template <typename Fn>
bool AnyReading(std::vector<std::string> t, Fn&& accepts) {
  for (size_t i = 0; i < t.size(); ++i) {
    const size_t bar = t[i].find('|');
    if (bar == std::string::npos) continue;
    const std::string word = t[i];
    t[i] = word.substr(0, bar);
    if (AnyReading(t, accepts)) return true;
    t[i] = word.substr(bar + 1);
    return AnyReading(t, accepts);
  }
  return accepts(t);
}

constexpr const char* kS = "<S>";

// Replaces the subject (or, after "let", its object form) by one token.
bool MarkSubject(std::vector<std::string>& t, const std::string& subject) {
  static const std::map<std::string, std::string> kObject{{"i", "me"}, {"he", "him"}, {"she", "her"},
                                                          {"we", "us"}, {"they", "them"}};
  const std::vector<std::string> words = Words(subject);
  for (size_t i = 0; i + words.size() <= t.size(); ++i) {
    bool match = true;
    for (size_t k = 0; k < words.size() && match; ++k)
      match = (i + k == 0 ? lx::FoldLower(t[i + k]) == lx::FoldLower(words[k]) : t[i + k] == words[k]);
    if (!match) continue;
    t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(i + words.size()));
    t.insert(t.begin() + static_cast<long>(i), kS);
    return true;
  }
  return false;
}

// A statement or question: the subject agrees with the first finite verb, "not"
// stands after the auxiliary (or after the subject in a full negative question),
// and the chain of auxiliaries ends in the right form of the verb.
bool FiniteClause(std::vector<std::string> t, bool question, Person person, const lx::VerbEntry& v) {
  // Where "not" may stand: straight after the finite word, or after the subject
  // that follows it in a question.
  const auto notAt = std::find(t.begin(), t.end(), "not");
  if (notAt != t.end()) {
    const size_t at = static_cast<size_t>(notAt - t.begin());
    const bool afterFinite = question ? at == 1 : at == 2;
    const bool afterSubject = question && at == 2;
    if (!afterFinite && !afterSubject) return false;
    t.erase(notAt);
    if (std::find(t.begin(), t.end(), "not") != t.end()) return false;
  }
  const size_t finite = question ? 0 : 1, subject = question ? 1 : 0;
  if (t.size() < 2 || t[subject] != kS) return false;
  // The chain follows the subject in a question and the finite word in a statement.
  After next;
  if (FiniteAux(t[finite], person, next) && Chain(t, 2, next, v)) return true;
  // A lexical finite verb: affirmative statements only.
  if (question || notAt != t.end() || t.size() != 2) return false;
  const std::string& w = t[1];
  return w == v.past || w == (person == Person::Third ? v.third : v.base);
}

// "let" takes an object: a noun or "me", "him", "her", "it", "us", "them", never "I", "he" and the like.
bool Imperative(std::vector<std::string> t, const std::string& subject, const lx::VerbEntry& v) {
  static const std::set<std::string> kObjects{"me", "him", "her", "it", "us", "them"};
  static const std::set<std::string> kNominative{"i", "he", "she", "we", "they"};
  if (kNominative.count(lx::FoldLower(subject))) std::replace(t.begin(), t.end(), std::string(kS), std::string("*"));
  size_t i = 0;
  if (t.size() > 2 && t[0] == "do" && t[1] == "not") i = 2;
  const bool dont = i == 2;
  if (i < t.size() && t[i] == "let") {
    ++i;
    if (i >= t.size() || (t[i] != kS && !kObjects.count(t[i]))) return false;
    ++i;
    if (!dont && i < t.size() && t[i] == "not") ++i;
  }
  return i + 1 == t.size() && t[i] == v.base;
}

struct Built {
  std::string text;
  lx::SentenceForm form;
  std::string subject;
};

// Why `s` is not a grammatical sentence, or an empty text.
std::string SentenceFaults(const Built& b, const lx::VerbEntry& v) {
  std::string s = b.text;
  if (s.empty()) return "empty";
  if (s.find("  ") != std::string::npos || s.front() == ' ' || s.back() == ' ') return "spacing";
  bool question = false;
  static const std::vector<std::string> kTails{", please", ", will you?", ", won't you?"};
  for (const std::string& tail : kTails)
    if (s.ends_with(tail)) {
      if (b.form.type != lx::SentenceType::Imperative) return "a request tag outside an imperative";
      // A negative imperative takes "will you?" (don't forget, will you?).
      if (b.form.negative && tail == ", won't you?") return "won't you after a negative imperative";
      s.resize(s.size() - tail.size());
      break;
    }
  if (s.back() == '?') {
    question = true;
    s.pop_back();
  }
  if (question != (b.form.type == lx::SentenceType::Question)) return "question mark";
  if (s.find_first_of(",?") != std::string::npos) return "punctuation";
  std::vector<std::string> t = Expand(s);
  const bool subjectShown = MarkSubject(t, b.subject);
  const Person person = PersonOf(b.subject);
  if (b.form.type == lx::SentenceType::Imperative)
    return AnyReading(t, [&](const std::vector<std::string>& r) { return Imperative(r, b.subject, v); }) ? ""
                                                                                              : "imperative";
  if (!subjectShown) return "no subject";
  return AnyReading(t, [&](const std::vector<std::string>& r) { return FiniteClause(r, question, person, v); })
             ? ""
             : "verb group";
}

// Runs `build` along every path of its random draws.
template <typename Fn>
void EveryDrawPath(Fn&& build) {
  std::vector<std::pair<int32_t, int32_t>> path;  // value, bound
  for (;;) {
    size_t at = 0;
    const lx::RandomSource source = [&](int32_t m) {
      if (at == path.size()) path.push_back({0, m});
      return path[at++].first;
    };
    build(source);
    path.resize(at);
    while (!path.empty() && path.back().first + 1 >= path.back().second) path.pop_back();
    if (path.empty()) return;
    ++path.back().first;
  }
}

class CourseTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string dir = std::string(LEXITAR_SOURCE_DIR) + "/data/";
    nouns_ = lx::LoadNounGroups(dir + "noun.txt");
    verbs_ = lx::LoadVerbTable(dir + "verb.txt");
  }
  static std::vector<lx::SentenceForm> AllForms() {
    std::vector<lx::SentenceForm> forms;
    for (int type = 1; type <= 3; ++type)
      for (bool negative : {false, true})
        for (int aspect = 1; aspect <= 4; ++aspect)
          for (int voice = 1; voice <= 2; ++voice)
            for (int tense = 1; tense <= 3; ++tense)
              for (int32_t group = 1; group <= 7; ++group)
                forms.push_back({static_cast<lx::SentenceType>(type), negative, static_cast<lx::Aspect>(aspect),
                                 static_cast<lx::Voice>(voice), static_cast<lx::Tense>(tense), group});
    return forms;
  }
  static inline lx::NounGroups nouns_;
  static inline lx::VerbTable verbs_;
};

TEST_F(CourseTables, VerbFormsAreRight) {
  ASSERT_GE(verbs_.verbs.size(), 150u);
  std::set<std::string> seen;
  std::ostringstream faults;
  for (const lx::VerbEntry& v : verbs_.verbs) {
    if (!seen.insert(v.base).second) faults << v.base << ": twice\n";
    if (const std::string f = VerbFormFaults(v); !f.empty()) faults << v.base << ":" << f << "\n";
  }
  EXPECT_EQ(faults.str(), "");
}

TEST_F(CourseTables, SubjectsAgreeWithTheirGroups) {
  std::ostringstream faults;
  for (int32_t g = 1; g <= 7; ++g)
    for (const lx::NounEntry& e : nouns_.groups[static_cast<size_t>(g - 1)]) {
      if (PersonOf(e.english) != PersonOfGroup(g)) faults << "group " << g << ": " << e.english << "\n";
      if (const std::string a = ArticleFaults(e.english); !a.empty()) faults << e.english << ":" << a << "\n";
    }
  EXPECT_EQ(faults.str(), "");
}

// Every form with every verb for entry 1 and the last entry of each group (the
// contracted and the full subject), and every subject with one verb, along every
// path of the random draws.
TEST_F(CourseTables, EverySentenceIsGrammatical) {
  std::ostringstream faults;
  int built = 0, wrong = 0;
  auto check = [&](const lx::SentenceForm& form, int32_t n, const lx::VerbEntry& v) {
    const std::string& subject = lx::SubjectAt(nouns_, form.group, n).english;
    EveryDrawPath([&](const lx::RandomSource& random) {
      const std::string s = lx::BuildSentence(form, subject, n == 1, v, random);
      const bool none = (form.type == lx::SentenceType::Imperative && form.group == 1) ||
                        (form.type != lx::SentenceType::Imperative && form.voice == lx::Voice::Passive &&
                         (form.aspect == lx::Aspect::PerfectContinuous ||
                          (form.aspect == lx::Aspect::Continuous && form.tense == lx::Tense::Future)));
      if (none) {
        if (!s.empty() && ++wrong <= 20) faults << "\"" << s << "\": expected none\n";
        return;
      }
      ++built;
      const std::string fault = SentenceFaults({s, form, subject}, v);
      if (!fault.empty() && ++wrong <= 20) faults << "\"" << s << "\": " << fault << "\n";
    });
  };
  for (const lx::SentenceForm& form : AllForms()) {
    const auto& group = nouns_.groups[static_cast<size_t>(form.group - 1)];
    ASSERT_FALSE(group.empty());
    for (const lx::VerbEntry& v : verbs_.verbs) {
      check(form, 1, v);
      if (group.size() > 1) check(form, static_cast<int32_t>(group.size()), v);
    }
    for (int32_t n = 2; n < static_cast<int32_t>(group.size()); ++n) check(form, n, verbs_.verbs.front());
  }
  EXPECT_GT(built, 100000);
  EXPECT_EQ(wrong, 0) << faults.str();
}

// The phrase table: mood forms with a subject, non-finite forms without one.
TEST_F(CourseTables, EveryPhraseIsGrammatical) {
  std::ostringstream faults;
  int wrong = 0;
  for (const lx::VerbEntry& v : verbs_.verbs)
    for (int32_t g = 1; g <= 7; ++g)
      for (const lx::NounEntry& subject : nouns_.groups[static_cast<size_t>(g - 1)]) {
        for (int32_t d = 1; d <= 5; ++d) {
          const std::string p = lx::BuildPhrase(1, d, subject.english, v);
          std::vector<std::string> t = Words(p);
          bool ok = MarkSubject(t, subject.english) && t.size() >= 2 && t[0] == kS;
          if (ok && t.size() == 2) ok = t[1] == v.past;  // the subjunctive: the past form
          else if (ok) {
            After next;
            ok = FiniteAux(t[1], PersonOf(subject.english), next) && t[1] != "will" && Chain(t, 2, next, v);
          }
          if (!ok && ++wrong <= 20) faults << "\"" << p << "\"\n";
        }
      }
  for (const lx::VerbEntry& v : verbs_.verbs)
    for (int32_t d = 1; d <= 11; ++d) {
      const std::string p = lx::BuildPhrase(2, d, "", v);
      if (!Chain(Words(p), 0, After::Start, v) && ++wrong <= 20) faults << "\"" << p << "\"\n";
    }
  EXPECT_EQ(wrong, 0) << faults.str();
}

// The checker itself rejects the faults it exists for.
TEST(SentenceChecker, RejectsUngrammaticalSentences) {
  const lx::VerbEntry write{"write", "", "wrote", "written", "writing", "writes"};
  using lx::Aspect;
  using lx::Tense;
  using lx::Voice;
  const lx::SentenceForm st{lx::SentenceType::Statement, false, Aspect::Indefinite, Voice::Active, Tense::Present, 3};
  const lx::SentenceForm q{lx::SentenceType::Question, true, Aspect::Perfect, Voice::Active, Tense::Present, 7};
  const lx::SentenceForm imp{lx::SentenceType::Imperative, true, Aspect::Indefinite, Voice::Active, Tense::Present, 3};
  struct Case {
    const char* text;
    lx::SentenceForm form;
    const char* subject;
    bool good;
  } cases[] = {
      {"he writes", st, "he", true},
      {"he write", st, "he", false},
      {"they writes", st, "they", false},
      {"I is writing", st, "I", false},
      {"I'm writing", st, "I", true},
      {"he's written", st, "he", true},
      {"he's been writing", st, "he", true},
      {"he has wrote", st, "he", false},
      {"he will writing", st, "he", false},
      {"he does not writes", st, "he", false},
      {"he not writes", st, "he", false},
      {"he was being written", st, "he", true},
      {"he was being writing", st, "he", false},
      {"haven't they written?", q, "they", true},
      {"have they not written?", q, "they", true},
      {"has they not written?", q, "they", false},
      {"have they written", q, "they", false},
      {"don't let him write, please", imp, "he", true},
      {"let he write", imp, "he", false},
      {"let him not write", imp, "he", true},
      {"let him writes", imp, "he", false},
      {"don't write, will you?", imp, "you", true},
      {"don't write, won't you?", imp, "you", false},
      {"The old man had written", st, "the old man", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SentenceFaults({c.text, c.form, c.subject}, write).empty(), c.good) << c.text;
}

}  // namespace
