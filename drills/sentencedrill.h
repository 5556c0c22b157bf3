#pragma once
// Practice 4 and 5 as drills: the two tables, the task on show and whether its
// answer is still to come. Next gives the lines that replace the pane, Answer the
// lines added below them, and nothing once the answer is out.
#include <string>
#include <vector>

#include "drills/sentences.h"

namespace lx {

struct DrillTables {
  NounGroups nouns;
  VerbTable verbs;
  // What could not be read or used, one Russian message (Windows-1251) per line.
  std::vector<std::string> problems;
};

// Reads the subject and verb tables. A file that cannot be read, a group without
// subjects and a verb line without all its forms are described in `problems`;
// subjects without text and incomplete verb lines are left out, the rest is kept.
DrillTables LoadDrillTables(const std::string& nounPath, const std::string& verbPath);
// The checks of LoadDrillTables over tables already read; `name` names the file.
void CheckNounGroups(DrillTables& tables, const std::string& name);
void CheckVerbTable(DrillTables& tables, const std::string& name);

// Whether the tables hold at least one subject and one verb to draw from.
bool CanDraw(const DrillTables& tables);

class Practice4Drill {
 public:
  Practice4Drill(const DrillTables& tables, RandomSource random);
  // Draws a sentence: two empty lines and the sentence in code 2; with nothing to
  // draw from, a message and no pending answer.
  std::vector<Fragment> Next();
  // The analysis and the translations while the answer is pending, else nothing.
  std::vector<Fragment> Answer();
  bool pending() const { return pending_; }
  const Practice4Task& task() const { return task_; }
  void SetRandom(RandomSource random) { random_ = std::move(random); }

 private:
  const DrillTables& tables_;
  RandomSource random_;
  Practice4Task task_;
  bool pending_ = false;
};

class Practice5Drill {
 public:
  Practice5Drill(const DrillTables& tables, RandomSource random);
  // Draws a phrase: two empty lines and the phrase in code 1, its case kept.
  std::vector<Fragment> Next();
  std::vector<Fragment> Answer();
  bool pending() const { return pending_; }
  const Practice5Task& task() const { return task_; }
  void SetRandom(RandomSource random) { random_ = std::move(random); }

 private:
  const DrillTables& tables_;
  RandomSource random_;
  Practice5Task task_;
  bool pending_ = false;
};

}  // namespace lx
