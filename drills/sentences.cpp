#include "drills/sentences.h"

#include <utility>

#include "app/core/cp1251.h"
#include "app/core/errors.h"
#include "app/core/foldcase.h"
#include "app/core/textfile.h"

namespace lx {

namespace {

// R(n) with the table rule that an empty table draws 0.
int32_t Draw(const RandomSource& random, int32_t n) { return n <= 0 ? 0 : random(n); }
int32_t Count(size_t n) { return static_cast<int32_t>(n); }

bool ThirdPerson(int32_t g) { return g >= 3 && g <= 5; }
bool ShallGroup(int32_t g) { return g == 1 || g == 6; }

// The finite auxiliary that carries tense and agreement.
enum class Aux { Do, Did, Be, Was, Has, Had, Modal };

struct Shape {
  bool exists = false;
  Aux aux = Aux::Do;
  std::string rest;  // what follows the auxiliary (and the subject in questions)
};

Shape ShapeOf(const SentenceForm& f, const VerbEntry& v) {
  const std::string& B = v.base;
  const std::string& P = v.participle;
  const std::string& I = v.ing;
  const bool active = f.voice == Voice::Active;
  Shape s;
  s.exists = true;
  auto pick = [&](Aux past, Aux present, const std::string& rest, const std::string& future) {
    switch (f.tense) {
      case Tense::Past: s.aux = past, s.rest = rest; break;
      case Tense::Present: s.aux = present, s.rest = rest; break;
      case Tense::Future: s.aux = Aux::Modal, s.rest = future; break;
    }
  };
  switch (f.aspect) {
    case Aspect::Indefinite:
      if (active) pick(Aux::Did, Aux::Do, B, B);
      else pick(Aux::Was, Aux::Be, P, "be " + P);
      break;
    case Aspect::Continuous:
      if (active) {
        pick(Aux::Was, Aux::Be, I, "be " + I);
      } else {
        pick(Aux::Was, Aux::Be, "being " + P, "");
        if (f.tense == Tense::Future) s.exists = false;
      }
      break;
    case Aspect::Perfect:
      if (active) pick(Aux::Had, Aux::Has, P, "have " + P);
      else pick(Aux::Had, Aux::Has, "been " + P, "have been " + P);
      break;
    case Aspect::PerfectContinuous:
      if (active) pick(Aux::Had, Aux::Has, "been " + I, "have been " + I);
      else s.exists = false;
      break;
  }
  return s;
}

std::string Full(Aux aux, int32_t g) {
  switch (aux) {
    case Aux::Do: return ThirdPerson(g) ? "does" : "do";
    case Aux::Did: return "did";
    case Aux::Be: return g == 1 ? "am" : ThirdPerson(g) ? "is" : "are";
    case Aux::Was: return g == 1 || ThirdPerson(g) ? "was" : "were";
    case Aux::Has: return ThirdPerson(g) ? "has" : "have";
    case Aux::Had: return "had";
    case Aux::Modal: return ShallGroup(g) ? "shall" : "will";
  }
  return {};
}

// The negative contraction; empty for "am", which has none.
std::string Negated(Aux aux, int32_t g) {
  switch (aux) {
    case Aux::Do: return ThirdPerson(g) ? "doesn't" : "don't";
    case Aux::Did: return "didn't";
    case Aux::Be: return g == 1 ? "" : ThirdPerson(g) ? "isn't" : "aren't";
    case Aux::Was: return g == 1 || ThirdPerson(g) ? "wasn't" : "weren't";
    case Aux::Has: return ThirdPerson(g) ? "hasn't" : "haven't";
    case Aux::Had: return "hadn't";
    case Aux::Modal: return ShallGroup(g) ? "shan't" : "won't";
  }
  return {};
}

// Subject joined to the contracted auxiliary of an affirmative statement ("he's",
// "I'll"), or subject and full word where that group keeps it.
std::string ContractedSubject(Aux aux, int32_t g, std::string_view S) {
  const std::string subject(S);
  switch (aux) {
    case Aux::Modal: return subject + "'ll";
    case Aux::Be: return subject + (g == 1 ? "'m" : ThirdPerson(g) ? "'s" : "'re");
    case Aux::Had: return ThirdPerson(g) ? subject + " had" : subject + "'d";
    case Aux::Has:
      if (g == 3) return subject + "'s";
      if (g == 4 || g == 5) return subject + " has";
      if (g == 7) return subject + " have";
      return subject + "'ve";
    default: return subject + " " + Full(aux, g);
  }
}

std::string Statement(const SentenceForm& f, const Shape& s, std::string_view S, bool firstEntry,
                      const VerbEntry& v, const RandomSource& random) {
  const bool contracted = Draw(random, 3) == 0;
  const int32_t g = f.group;
  const std::string subject(S);
  if (f.negative) {
    if (contracted) {
      const std::string neg = Negated(s.aux, g);
      return subject + " " + (neg.empty() ? "am not" : neg) + " " + s.rest;
    }
    return subject + " " + Full(s.aux, g) + " not " + s.rest;
  }
  if (s.aux == Aux::Did) return subject + " " + v.simplePast();
  if (s.aux == Aux::Do) return subject + " " + (ThirdPerson(g) ? v.third : v.base);
  if (contracted && firstEntry && s.aux != Aux::Was)
    return ContractedSubject(s.aux, g, S) + " " + s.rest;
  return subject + " " + Full(s.aux, g) + " " + s.rest;
}

std::string Question(const SentenceForm& f, const Shape& s, std::string_view S,
                     const RandomSource& random) {
  const int32_t g = f.group;
  const std::string subject(S);
  if (!f.negative) return Full(s.aux, g) + " " + subject + " " + s.rest + "?";
  const bool full = Draw(random, 2) != 0;
  const std::string neg = Negated(s.aux, g);
  if (full || neg.empty()) return Full(s.aux, g) + " " + subject + " not " + s.rest + "?";
  return neg + " " + subject + " " + s.rest + "?";
}

// "let" takes the object form of a personal pronoun: let him, let them.
std::string AfterLet(std::string_view S) {
  static const std::pair<std::string_view, std::string_view> kObject[] = {
      {"I", "me"}, {"he", "him"}, {"she", "her"}, {"we", "us"}, {"they", "them"},
      {"He", "him"}, {"She", "her"}, {"We", "us"}, {"They", "them"}};
  for (const auto& [subject, object] : kObject)
    if (S == subject) return std::string(object);
  return std::string(S);
}

std::string DontOrDoNot(const RandomSource& random) {
  return Draw(random, 2) == 0 ? "don't" : "do not";
}

std::string Imperative(const SentenceForm& f, std::string_view S, const VerbEntry& v,
                       const RandomSource& random) {
  const int32_t g = f.group;
  const bool request = f.aspect == Aspect::PerfectContinuous;
  const std::string& B = v.base;
  const std::string subject = AfterLet(S);
  if (g == 1) return {};
  if (g == 2) {
    if (!request) return f.negative ? DontOrDoNot(random) + " " + B : B;
    static const char* const kTails[] = {", please", ", will you?", ", won't you?"};
    const int32_t form = Draw(random, 3);
    std::string tail = kTails[form >= 0 && form < 3 ? form : 0];
    // A negative imperative takes "will you?": "don't write, will you?".
    if (f.negative && form == 2) tail = kTails[1];
    return (f.negative ? DontOrDoNot(random) + " " : std::string()) + B + tail;
  }
  const std::string tail = request ? ", please" : "";
  const bool letUs = g == 6;
  if (!f.negative) {
    if (letUs) return (Draw(random, 2) == 0 ? "let's " : "let us ") + B + tail;
    return "let " + subject + " " + B + tail;
  }
  if (Draw(random, 2) != 0) {
    const std::string who = letUs ? "us" : subject;
    return DontOrDoNot(random) + " let " + who + " " + B + tail;
  }
  if (letUs) return (Draw(random, 2) == 0 ? "let's not " : "let us not ") + B + tail;
  return "let " + subject + " not " + B + tail;
}

int32_t GroupFromDraw(int32_t g) {
  static const int32_t kGroupOf[12] = {1, 1, 2, 2, 2, 3, 4, 5, 6, 6, 7, 7};
  return g >= 0 && g < 12 ? kGroupOf[g] : 1;
}

void DrawSubjectAndVerb(const NounGroups& nouns, const VerbTable& verbs, const RandomSource& random,
                        int32_t& group, int32_t& subject, int32_t& verb) {
  group = GroupFromDraw(Draw(random, 12));
  subject = Draw(random, Count(nouns.groups[static_cast<size_t>(group - 1)].size())) + 1;
  verb = Draw(random, Count(verbs.verbs.size())) + 1;
}

std::string Ru(const char* utf8) { return Utf8ToCp1251(utf8); }

}  // namespace

NounGroups ParseNounGroups(std::string_view bytes) {
  NounGroups out;
  size_t group = 0;
  for (const std::string& line : SplitLines(bytes)) {
    if (line == "*") {
      ++group;
      continue;
    }
    if (group >= NounGroups::kGroups) break;
    auto& entries = out.groups[group];
    if (entries.size() >= NounGroups::kMaxEntries) continue;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) entries.push_back({line, {}});
    else entries.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  return out;
}

VerbTable ParseVerbTable(std::string_view bytes) {
  VerbTable out;
  for (const std::string& line : SplitLines(bytes)) {
    if (out.verbs.size() >= VerbTable::kMaxVerbs) break;
    // Only the first six fields are read.
    std::array<std::string, VerbEntry::kFields> f;
    size_t start = 0;
    for (size_t i = 0; i < f.size(); ++i) {
      const size_t tab = line.find('\t', start);
      f[i] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    out.verbs.push_back({f[0], f[1], f[2], f[3], f[4], f[5]});
  }
  return out;
}

NounGroups LoadNounGroups(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError("Cannot open file \"" + path + "\"");
  return ParseNounGroups(bytes);
}

VerbTable LoadVerbTable(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError("Cannot open file \"" + path + "\"");
  return ParseVerbTable(bytes);
}

const NounEntry& SubjectAt(const NounGroups& nouns, int32_t g, int32_t n) {
  static const NounEntry kNone;
  if (g < 1 || g > static_cast<int32_t>(NounGroups::kGroups)) return kNone;
  const auto& entries = nouns.groups[static_cast<size_t>(g - 1)];
  if (n < 1 || n > Count(entries.size())) return kNone;
  return entries[static_cast<size_t>(n - 1)];
}

const VerbEntry& VerbAt(const VerbTable& verbs, int32_t k) {
  static const VerbEntry kNone;
  if (k < 1 || k > Count(verbs.verbs.size())) return kNone;
  return verbs.verbs[static_cast<size_t>(k - 1)];
}

std::string BuildSentence(const SentenceForm& form, std::string_view subject, bool firstEntry,
                          const VerbEntry& verb, const RandomSource& random) {
  if (form.type == SentenceType::Imperative) return Imperative(form, subject, verb, random);
  const Shape shape = ShapeOf(form, verb);
  if (!shape.exists) return {};
  if (form.type == SentenceType::Question) return Question(form, shape, subject, random);
  return Statement(form, shape, subject, firstEntry, verb, random);
}

Practice4Task DrawPractice4(const NounGroups& nouns, const VerbTable& verbs, const RandomSource& random) {
  // Three combinations in roughly sixty give no sentence; the cap only guards
  // against a broken random source.
  constexpr int32_t kMaxDraws = 10000;
  Practice4Task t;
  for (t.draws = 1; t.draws <= kMaxDraws; ++t.draws) {
    const int32_t r = Draw(random, 10) + 1;
    t.form.type = r <= 3 ? SentenceType::Question : r == 4 ? SentenceType::Imperative : SentenceType::Statement;
    t.form.negative = Draw(random, 3) == 0;
    t.form.aspect = static_cast<Aspect>(Draw(random, 4) + 1);
    t.form.voice = Draw(random, 5) + 1 <= 3 ? Voice::Active : Voice::Passive;
    t.form.tense = static_cast<Tense>(Draw(random, 3) + 1);
    DrawSubjectAndVerb(nouns, verbs, random, t.form.group, t.subject, t.verb);
    t.sentence = BuildSentence(t.form, SubjectAt(nouns, t.form.group, t.subject).english,
                               t.subject == 1, VerbAt(verbs, t.verb), random);
    if (!t.sentence.empty()) {
      t.sentence = FoldUpper(t.sentence.substr(0, 1)) + t.sentence.substr(1);
      break;
    }
  }
  return t;
}

std::vector<Fragment> Practice4Answer(const Practice4Task& t, const NounGroups& nouns,
                                      const VerbTable& verbs) {
  std::vector<Fragment> out;
  out.push_back({1, "", true});
  static const char* const kTypes[] = {"Изъявительное ", "Вопросительное ", "Повелительное "};
  out.push_back({4, Ru(kTypes[static_cast<int>(t.form.type) - 1]), false});
  out.push_back({4, Ru(t.form.negative ? "отрицательное " : "утвердительное "), false});
  out.push_back({4, Ru("предложение"), true});
  if (t.form.type == SentenceType::Imperative) {
    out.push_back({1, Ru(t.form.aspect == Aspect::PerfectContinuous ? "просьба " : "приказ "), true});
  } else {
    static const char* const kAspects[] = {"Indefinite - ", "Continuous - ", "Perfect - ",
                                           "Perfect_Continuous - "};
    static const char* const kTenses[] = {"Past", "Present", "Future"};
    out.push_back({1, kAspects[static_cast<int>(t.form.aspect) - 1], false});
    out.push_back({1, t.form.voice == Voice::Active ? "Active - " : "Passive - ", false});
    out.push_back({1, kTenses[static_cast<int>(t.form.tense) - 1], true});
  }
  out.push_back({3, SubjectAt(nouns, t.form.group, t.subject).russian, true});
  out.push_back({3, VerbAt(verbs, t.verb).russian, true});
  out.push_back({1, "", true});
  return out;
}

std::string BuildPhrase(int32_t kind, int32_t form, std::string_view subject, const VerbEntry& v) {
  const std::string S(subject);
  const std::string& B = v.base;
  const std::string& P = v.participle;
  const std::string& I = v.ing;
  if (kind == 1) {
    switch (form) {
      case 1: return S + " " + v.simplePast();
      case 2: return S + " had " + P;
      case 3: return S + " would " + B;
      case 4: return S + " would have " + P;
      case 5: return S + " should " + B;
    }
    return {};
  }
  switch (form) {
    case 1: return "to " + B;
    case 2: return "to be " + P;
    case 3: return "to be " + I;
    case 4: return "to have " + P;
    case 5: return "to have been " + P;
    case 6: return "to have been " + I;
    case 7: return P;
    case 8: return I;
    case 9: return "being " + P;
    case 10: return "having " + P;
    case 11: return "having been " + P;
  }
  return {};
}

std::vector<std::string> PhraseAnswerLines(int32_t kind, int32_t form) {
  static const char* const kMoods[] = {
      "subjunctive (невозможное), неперфектное", "subjunctive (невозможное), перфектное",
      "conditional (нет условий), неперфектное", "conditional (нет условий), перфектное",
      "suppositional (предположение)."};
  static const char* const kInfinitives[] = {
      "Инфинитив (что делать?). Indefinite. Active.", "Инфинитив (что делать?). Indefinite. Passive.",
      "Инфинитив (что делать?). Continuous. Active.", "Инфинитив (что делать?). Perfect. Active.",
      "Инфинитив (что делать?). Perfect. Passive.",
      "Инфинитив (что делать?). Perfect Continuous. Active."};
  static const char* const kForms[] = {"Indefinite. Active.", "Indefinite. Passive.",
                                       "Perfect. Active.", "Perfect. Passive."};
  if (kind == 1) {
    if (form < 1 || form > 5) return {};
    return {Ru(kMoods[form - 1])};
  }
  if (form >= 1 && form <= 6) return {Ru(kInfinitives[form - 1])};
  if (form == 7) return {Ru("Причастие 2 (какой?)")};
  if (form >= 8 && form <= 11) {
    const std::string tail = kForms[form - 8];
    return {Ru("Причастие 1 (как?). ") + tail, Ru("Герундий (что?). ") + tail};
  }
  return {};
}

Practice5Task DrawPractice5(const NounGroups& nouns, const VerbTable& verbs, const RandomSource& random) {
  Practice5Task t;
  t.kind = Draw(random, 2) + 1;
  t.form = Draw(random, t.kind == 1 ? 5 : 11) + 1;
  DrawSubjectAndVerb(nouns, verbs, random, t.group, t.subject, t.verb);
  t.phrase = BuildPhrase(t.kind, t.form, SubjectAt(nouns, t.group, t.subject).english,
                         VerbAt(verbs, t.verb));
  return t;
}

std::vector<Fragment> Practice5Answer(const Practice5Task& t, const NounGroups& nouns,
                                      const VerbTable& verbs) {
  std::vector<Fragment> out;
  out.push_back({1, "", true});
  for (std::string& line : PhraseAnswerLines(t.kind, t.form)) out.push_back({2, std::move(line), true});
  out.push_back({1, "", true});
  out.push_back({3, t.kind == 1 ? SubjectAt(nouns, t.group, t.subject).russian : std::string(), true});
  out.push_back({3, VerbAt(verbs, t.verb).russian, true});
  return out;
}

}  // namespace lx
