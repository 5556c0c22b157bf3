#pragma once
// Practice 3: the six grammar drills of lesson 3 (word formation, numerals, degrees
// of comparison, pronouns, irregular verbs, prepositions and conjunctions), the five
// data files behind them, and what a task and its answer write. Plain C++; texts are
// Windows-1251.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/datadir.h"
#include "drills/numberwords.h"
#include "drills/sentences.h"

namespace lx {

enum class DrillKind { WordFormation = 1, Numerals, Degrees, Pronouns, IrregularVerbs, Connectors };

// An item of a word formation group: the base word, then what the task shows.
struct FormationItem {
  std::string key;
  std::string text;
};

// A list line: the task up to the first tab, the answer in brace markup after it.
struct ListTask {
  std::string task;
  std::string answer;
};

struct Practice3Data {
  static constexpr size_t kFormationGroups = 25;
  static constexpr size_t kFormationItems = 200;
  static constexpr size_t kFormationGroupsUsed = 23;
  static constexpr size_t kDegreeGroups = 6;
  static constexpr size_t kDegreeItems = 25;
  static constexpr size_t kDegreeFields = 6;
  static constexpr size_t kListLines = 200;
  static constexpr size_t kVerbLines = 200;
  static constexpr size_t kVerbFields = 5;

  using DegreeItem = std::array<std::string, kDegreeFields>;
  using VerbItem = std::array<std::string, kVerbFields>;

  std::array<std::vector<FormationItem>, kFormationGroups> formation;  // "data\infowo.txt"
  std::array<std::vector<DegreeItem>, kDegreeGroups> degrees;          // "data\infowo2.txt"
  std::vector<ListTask> pronouns;                                     // "data\infowo3.txt"
  std::vector<ListTask> connectors;                                   // "data\infowo4.txt"
  std::vector<VerbItem> verbs;                                        // "data\infowo5.txt"
};

// The files' formats. Groups are separated by lines that are exactly "*"; lines
// beyond a table's capacity (groups, items, lines) are not read; fields beyond the
// last are dropped and missing ones are empty.
std::array<std::vector<FormationItem>, Practice3Data::kFormationGroups> ParseFormation(std::string_view bytes);
std::array<std::vector<Practice3Data::DegreeItem>, Practice3Data::kDegreeGroups> ParseDegrees(std::string_view bytes);
std::vector<ListTask> ParseListTasks(std::string_view bytes);
std::vector<Practice3Data::VerbItem> ParseVerbs(std::string_view bytes);

// The five files, relative to the data folder, in the order they are loaded.
extern const std::array<const char*, 5> kPractice3Files;

// Loads the five files in order into `data`. Throws FileError at the first file that
// cannot be read; the tables loaded before it are kept, the rest stay empty.
void LoadPractice3Data(const DataDir& dir, Practice3Data& data);

// The suffix table of the word formation kind (groups 1 to 23).
struct SuffixRow {
  std::string partOfSpeech;
  std::string suffix;
  std::string after;  // may be empty
};
const std::array<SuffixRow, Practice3Data::kFormationGroupsUsed>& SuffixTable();

// A brace markup answer as fragments: a tab ends a line, text in braces is code 2,
// in square brackets code 4, the rest code 3; the last fragment ends its line.
std::vector<Fragment> BraceMarkup(std::string_view text);

// The drill's state: the selected kind, the task drawn for it and whether its answer
// is still to be shown. Next and Answer return what the pane gets.
class Practice3Drill {
 public:
  explicit Practice3Drill(const Practice3Data& data) : data_(data) {}

  DrillKind kind() const { return kind_; }
  bool answerPending() const { return answerPending_; }

  // Selects a kind: the drawn task is forgotten and no answer is pending.
  void SetKind(DrillKind kind);
  // Draws a task of the selected kind; the pane is cleared before it is written.
  std::vector<Fragment> Next(const RandomSource& random);
  // The answer of the drawn task, once; empty when no answer is pending.
  std::vector<Fragment> Answer();

 private:
  struct Task {
    int32_t group = 1;
    int32_t item = 1;
    int32_t form = 1;
    NumberTask number;
  };

  std::vector<Fragment> FormationAnswer() const;
  std::vector<Fragment> DegreesAnswer() const;
  std::vector<Fragment> VerbAnswer() const;

  const Practice3Data& data_;
  DrillKind kind_ = DrillKind::WordFormation;
  Task task_;
  bool answerPending_ = false;
};

}  // namespace lx
