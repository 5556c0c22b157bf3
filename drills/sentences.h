#pragma once
// Practice 4 and 5: the subject and verb tables, Practice 4's sentences in every
// type, polarity, aspect, voice and tense, Practice 5's mood and non-finite phrases,
// and the answers. Pure functions of their random choices and the two tables.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drills/numberwords.h"

namespace lx {

struct NounEntry {
  std::string english;
  std::string russian;
};

// Seven groups of subjects; group g (1..7) is groups[g - 1].
struct NounGroups {
  static constexpr size_t kGroups = 7;
  static constexpr size_t kMaxEntries = 100;
  std::array<std::vector<NounEntry>, kGroups> groups;
};

struct VerbEntry {
  static constexpr size_t kFields = 6;
  std::string base;        // B
  std::string russian;
  std::string past;        // simple past
  std::string participle;  // P, past participle
  std::string ing;         // I
  std::string third;       // X, third person singular present
  // The simple past; a verb without one uses its participle.
  const std::string& simplePast() const { return past.empty() ? participle : past; }
};

struct VerbTable {
  static constexpr size_t kMaxVerbs = 200;
  std::vector<VerbEntry> verbs;
};

// "*" lines separate the groups; an entry is English TAB Russian. Lines beyond
// seven groups, 100 entries of a group or 200 verbs are not read.
NounGroups ParseNounGroups(std::string_view bytes);
VerbTable ParseVerbTable(std::string_view bytes);
// Throw FileError when the file cannot be read.
NounGroups LoadNounGroups(const std::string& path);
VerbTable LoadVerbTable(const std::string& path);

enum class SentenceType { Statement = 1, Question = 2, Imperative = 3 };
enum class Aspect { Indefinite = 1, Continuous = 2, Perfect = 3, PerfectContinuous = 4 };
enum class Voice { Active = 1, Passive = 2 };
enum class Tense { Past = 1, Present = 2, Future = 3 };

struct SentenceForm {
  SentenceType type = SentenceType::Statement;
  bool negative = false;
  Aspect aspect = Aspect::Indefinite;
  Voice voice = Voice::Active;
  Tense tense = Tense::Present;
  int32_t group = 1;  // 1..7
};

// The sentence for one form, subject text and verb, lower case as built; empty
// for the combinations that have none. `firstEntry` is whether the subject is
// entry 1 of its group, the only one contracted in affirmative statements.
// Draws from `random`: statements R(3) for the contraction; negative questions
// R(2) (0 contracted); imperatives as their forms need, in reading order.
std::string BuildSentence(const SentenceForm& form, std::string_view subject, bool firstEntry,
                          const VerbEntry& verb, const RandomSource& random);

// A piece of an answer: text in a style code, ending its line or not.
struct Fragment {
  int code = 1;
  std::string text;
  bool endsLine = true;
  bool operator==(const Fragment&) const = default;
};

struct Practice4Task {
  SentenceForm form;
  int32_t subject = 1;  // N, 1-based in its group
  int32_t verb = 1;     // 1-based
  std::string sentence;  // first character upper case
  int32_t draws = 1;     // how many draws it took to get a sentence
};

// Draws until the sentence is not empty.
Practice4Task DrawPractice4(const NounGroups& nouns, const VerbTable& verbs, const RandomSource& random);
std::vector<Fragment> Practice4Answer(const Practice4Task& task, const NounGroups& nouns,
                                      const VerbTable& verbs);

struct Practice5Task {
  int32_t kind = 1;   // 1 mood form, 2 non-finite form
  int32_t form = 1;   // 1..5 or 1..11
  int32_t group = 1;
  int32_t subject = 1;
  int32_t verb = 1;
  std::string phrase;
};

std::string BuildPhrase(int32_t kind, int32_t form, std::string_view subject, const VerbEntry& verb);
// The answer lines of the phrase table (one or two lines, Windows-1251).
std::vector<std::string> PhraseAnswerLines(int32_t kind, int32_t form);
Practice5Task DrawPractice5(const NounGroups& nouns, const VerbTable& verbs, const RandomSource& random);
std::vector<Fragment> Practice5Answer(const Practice5Task& task, const NounGroups& nouns,
                                      const VerbTable& verbs);

// Entry `n` (1-based) of group `g`, or an empty entry when there is none.
const NounEntry& SubjectAt(const NounGroups& nouns, int32_t g, int32_t n);
const VerbEntry& VerbAt(const VerbTable& verbs, int32_t k);

}  // namespace lx
