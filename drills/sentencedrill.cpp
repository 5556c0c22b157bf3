#include "drills/sentencedrill.h"

#include <utility>

#include "app/core/cp1251.h"
#include "app/core/errors.h"

namespace lx {

namespace {

// Messages are written in UTF-8 here and kept in Windows-1251 like all model text.
std::string Ru(const std::string& utf8) { return Utf8ToCp1251(utf8); }

bool Complete(const VerbEntry& v) {
  for (const std::string* f : {&v.base, &v.russian, &v.past, &v.participle, &v.ing, &v.third})
    if (f->empty()) return false;
  return true;
}

bool Blank(const VerbEntry& v) {
  for (const std::string* f : {&v.base, &v.russian, &v.past, &v.participle, &v.ing, &v.third})
    if (!f->empty()) return false;
  return true;
}

std::string FileName(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// A task whose subject or verb came out empty (a group without subjects, no verbs)
// is drawn again a bounded number of times, so that broken tables never hang.
constexpr int kMaxRedraws = 200;

bool HasWords(const DrillTables& t, int32_t group, int32_t subject, int32_t verb) {
  return !SubjectAt(t.nouns, group, subject).english.empty() && !VerbAt(t.verbs, verb).base.empty();
}

// Shown instead of a task when the tables hold no subject or no verb at all.
std::vector<Fragment> NothingToDraw() {
  return {{1, "", true},
          {1, "", true},
          {1, Ru("Заданий нет: не прочитаны подлежащие или глаголы (data\\noun.txt, data\\verb.txt)."), true}};
}

}  // namespace

void CheckNounGroups(DrillTables& tables, const std::string& name) {
  for (size_t g = 0; g < tables.nouns.groups.size(); ++g) {
    auto& entries = tables.nouns.groups[g];
    const size_t before = entries.size();
    std::erase_if(entries, [](const NounEntry& e) { return e.english.empty(); });
    const std::string group = std::to_string(g + 1);
    if (entries.size() != before)
      tables.problems.push_back(Ru("В файле " + name + " пропущены пустые строки группы " + group));
    if (entries.empty()) tables.problems.push_back(Ru("В файле " + name + " нет подлежащих группы " + group));
  }
}

void CheckVerbTable(DrillTables& tables, const std::string& name) {
  std::vector<VerbEntry> kept;
  for (size_t i = 0; i < tables.verbs.verbs.size(); ++i) {
    const VerbEntry& v = tables.verbs.verbs[i];
    if (Blank(v)) continue;
    if (Complete(v)) {
      kept.push_back(v);
      continue;
    }
    tables.problems.push_back(Ru("В файле " + name + " строка " + std::to_string(i + 1) + " (\"") + v.base +
                              Ru("\") пропущена: в ней нет всех шести полей через табуляцию"));
  }
  tables.verbs.verbs = std::move(kept);
  if (tables.verbs.verbs.empty()) tables.problems.push_back(Ru("В файле " + name + " нет глаголов"));
}

DrillTables LoadDrillTables(const std::string& nounPath, const std::string& verbPath) {
  DrillTables t;
  // An unread file is reported once; its empty table needs no second message.
  try {
    t.nouns = LoadNounGroups(nounPath);
    CheckNounGroups(t, FileName(nounPath));
  } catch (const FileError&) {
    t.problems.push_back(Ru("Не удалось прочитать файл " + nounPath));
  }
  try {
    t.verbs = LoadVerbTable(verbPath);
    CheckVerbTable(t, FileName(verbPath));
  } catch (const FileError&) {
    t.problems.push_back(Ru("Не удалось прочитать файл " + verbPath));
  }
  return t;
}

bool CanDraw(const DrillTables& t) {
  if (t.verbs.verbs.empty()) return false;
  for (const auto& group : t.nouns.groups)
    if (!group.empty()) return true;
  return false;
}

Practice4Drill::Practice4Drill(const DrillTables& tables, RandomSource random)
    : tables_(tables), random_(std::move(random)) {}

std::vector<Fragment> Practice4Drill::Next() {
  pending_ = CanDraw(tables_);
  if (!pending_) return NothingToDraw();
  for (int i = 0; i < kMaxRedraws; ++i) {
    task_ = DrawPractice4(tables_.nouns, tables_.verbs, random_);
    if (HasWords(tables_, task_.form.group, task_.subject, task_.verb)) break;
  }
  return {{1, "", true}, {1, "", true}, {2, task_.sentence, true}};
}

std::vector<Fragment> Practice4Drill::Answer() {
  if (!pending_) return {};
  pending_ = false;
  return Practice4Answer(task_, tables_.nouns, tables_.verbs);
}

Practice5Drill::Practice5Drill(const DrillTables& tables, RandomSource random)
    : tables_(tables), random_(std::move(random)) {}

std::vector<Fragment> Practice5Drill::Next() {
  pending_ = CanDraw(tables_);
  if (!pending_) return NothingToDraw();
  for (int i = 0; i < kMaxRedraws; ++i) {
    task_ = DrawPractice5(tables_.nouns, tables_.verbs, random_);
    if (HasWords(tables_, task_.group, task_.subject, task_.verb)) break;
  }
  return {{1, "", true}, {1, "", true}, {1, task_.phrase, true}};
}

std::vector<Fragment> Practice5Drill::Answer() {
  if (!pending_) return {};
  pending_ = false;
  return Practice5Answer(task_, tables_.nouns, tables_.verbs);
}

}  // namespace lx
