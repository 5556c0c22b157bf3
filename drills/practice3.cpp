#include "drills/practice3.h"

#include <algorithm>

#include "app/core/cp1251.h"
#include "app/core/errors.h"
#include "app/core/textfile.h"

namespace lx {
namespace {

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8); }

// Calls item(group, line) for each line that is not a "*" separator; a separator
// moves on to the next group. Lines of groups past `groups` are not passed.
template <typename Fn>
void ForEachGroupLine(std::string_view bytes, size_t groups, Fn&& item) {
  size_t group = 0;
  ForEachLine(bytes, [&](std::string_view line) {
    if (line == "*") {
      ++group;
      return;
    }
    if (group < groups) item(group, line);
  });
}

template <size_t N>
std::array<std::string, N> FixedFields(std::string_view line) {
  std::array<std::string, N> out;
  const std::vector<std::string> fields = SplitFields(line);
  for (size_t i = 0; i < N && i < fields.size(); ++i) out[i] = fields[i];
  return out;
}

// Element `n` (1-based) of a table, or an empty one when the table is shorter.
template <typename T>
const T& At(const std::vector<T>& table, int32_t n) {
  static const T kEmpty{};
  return n >= 1 && static_cast<size_t>(n) <= table.size() ? table[static_cast<size_t>(n - 1)] : kEmpty;
}

// 1 + random(n); an empty table still gives item 1 (which is empty).
int32_t DrawItem(const RandomSource& random, size_t n) {
  return 1 + random(static_cast<int32_t>(std::max<size_t>(n, 1)));
}

// The fields that are not empty, joined by " - " (an empty item gives an empty line).
std::string Joined(const std::string* fields, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    if (fields[i].empty()) continue;
    if (!out.empty()) out += " - ";
    out += fields[i];
  }
  return out;
}

Fragment Line(std::string text, int code) { return {code, std::move(text), true}; }
Fragment Piece(std::string text, int code) { return {code, std::move(text), false}; }

const std::string& DegreeTaskText(int32_t form) {
  static const std::string kBuild = Cp("Постройте Сравнительную и Превосходную формы.");
  static const std::string kTranslate = Cp("Переведите слово. Как оно образовано?");
  return form == 1 ? kBuild : kTranslate;
}

const std::string& DegreeGroupCaption(int32_t group) {
  static const std::array<std::string, Practice3Data::kDegreeGroups> kCaptions{
      Cp("Прилагательное, исключение"), Cp("Прилагательное, 1-ый способ построения"),
      Cp("Прилагательное, 2-ой способ построения"), Cp("Наречие, исключение"),
      Cp("Наречие, 1-ый способ построения"), Cp("Наречие, 2-ой способ построения")};
  return kCaptions.at(static_cast<size_t>(group - 1));
}

const std::string& FormCaption(int32_t form) {
  static const std::array<std::string, 3> kCaptions{Cp(" (Положительная форма)"), Cp(" (Сравнительная форма)"),
                                                    Cp(" (Превосходная форма)")};
  return kCaptions.at(static_cast<size_t>(form - 1));
}

const std::string& VerbTaskText() {
  static const std::string kText = Cp("Переведите глагол. В какой он форме? Какие другие формы этого глагола?");
  return kText;
}

}  // namespace

const std::array<const char*, 5> kPractice3Files{"data\\infowo.txt", "data\\infowo2.txt", "data\\infowo3.txt",
                                                 "data\\infowo4.txt", "data\\infowo5.txt"};

std::array<std::vector<FormationItem>, Practice3Data::kFormationGroups> ParseFormation(std::string_view bytes) {
  std::array<std::vector<FormationItem>, Practice3Data::kFormationGroups> groups;
  ForEachGroupLine(bytes, groups.size(), [&](size_t g, std::string_view line) {
    if (groups[g].size() >= Practice3Data::kFormationItems) return;
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) groups[g].push_back({std::string(line), std::string()});
    else groups[g].push_back({std::string(line.substr(0, space)), std::string(line.substr(space + 1))});
  });
  return groups;
}

std::array<std::vector<Practice3Data::DegreeItem>, Practice3Data::kDegreeGroups> ParseDegrees(
    std::string_view bytes) {
  std::array<std::vector<Practice3Data::DegreeItem>, Practice3Data::kDegreeGroups> groups;
  ForEachGroupLine(bytes, groups.size(), [&](size_t g, std::string_view line) {
    if (groups[g].size() < Practice3Data::kDegreeItems)
      groups[g].push_back(FixedFields<Practice3Data::kDegreeFields>(line));
  });
  return groups;
}

std::vector<ListTask> ParseListTasks(std::string_view bytes) {
  std::vector<ListTask> list;
  ForEachLine(bytes, [&](std::string_view line) {
    if (list.size() >= Practice3Data::kListLines) return;
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) list.push_back({std::string(line), std::string()});
    else list.push_back({std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))});
  });
  return list;
}

std::vector<Practice3Data::VerbItem> ParseVerbs(std::string_view bytes) {
  std::vector<Practice3Data::VerbItem> verbs;
  ForEachLine(bytes, [&](std::string_view line) {
    if (verbs.size() < Practice3Data::kVerbLines) verbs.push_back(FixedFields<Practice3Data::kVerbFields>(line));
  });
  return verbs;
}

void LoadPractice3Data(const DataDir& dir, Practice3Data& data) {
  auto read = [&](size_t file) {
    const std::string path = dir.Path(kPractice3Files[file]);
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) throw FileError(Cp("Не удалось прочитать файл ") + Utf8ToCp1251(path));
    return bytes;
  };
  data.formation = ParseFormation(read(0));
  data.degrees = ParseDegrees(read(1));
  data.pronouns = ParseListTasks(read(2));
  data.connectors = ParseListTasks(read(3));
  data.verbs = ParseVerbs(read(4));
}

const std::array<SuffixRow, Practice3Data::kFormationGroupsUsed>& SuffixTable() {
  static const std::array<SuffixRow, Practice3Data::kFormationGroupsUsed> kTable = [] {
    const std::string noun = Cp("Существительное ");
    const std::string adjective = Cp("Прилагательное ");
    const std::string person = Cp(" (Лицо или предмет)");
    return std::array<SuffixRow, Practice3Data::kFormationGroupsUsed>{{
        {noun, "-er", person},          {noun, "-or", person},        {noun, "-ion", ""},
        {noun, "-ure", ""},             {noun, "-age", ""},           {noun, "-ance", ""},
        {noun, "-ence", ""},            {noun, "-ment", ""},          {noun, "-dom", ""},
        {noun, "-hood", ""},            {noun, "-ness", ""},          {noun, "-ist", Cp(" (Профессия)")},
        {noun, "-ship", ""},            {adjective, "-al", ""},       {adjective, "-ful", ""},
        {adjective, "-less", Cp(" (без-)")}, {adjective, "-ous", ""}, {adjective, "-y", ""},
        {adjective, "-able", ""},       {adjective, "-ant", ""},      {adjective, "-ent", ""},
        {adjective, "-ive", ""},        {Cp("Наречие "), "-ly", ""},
    }};
  }();
  return kTable;
}

std::vector<Fragment> BraceMarkup(std::string_view text) {
  std::vector<Fragment> out;
  std::string buffer;
  for (const char c : text) {
    switch (c) {
      case '\t': out.push_back(Line(buffer, 3)); break;
      case '{': out.push_back(Piece(buffer, 3)); break;
      case '}': out.push_back(Piece(buffer, 2)); break;
      case '[': out.push_back(Piece(buffer, 3)); break;
      case ']': out.push_back(Piece(buffer, 4)); break;
      default: buffer += c; continue;
    }
    buffer.clear();
  }
  out.push_back(Line(buffer, 3));
  return out;
}

void Practice3Drill::SetKind(DrillKind kind) {
  kind_ = kind;
  task_ = Task();
  answerPending_ = false;
}

std::vector<Fragment> Practice3Drill::Next(const RandomSource& random) {
  answerPending_ = true;
  task_ = Task();
  switch (kind_) {
    case DrillKind::WordFormation: {
      task_.group = 1 + random(static_cast<int32_t>(Practice3Data::kFormationGroupsUsed));
      const auto& group = data_.formation[static_cast<size_t>(task_.group - 1)];
      task_.item = DrawItem(random, group.size());
      return {Line("", 1), Line("", 1), Line(At(group, task_.item).text, 1)};
    }
    case DrillKind::Numerals:
      task_.number = DrawNumberTask(random);
      return {Line("", 1), Line("", 1), Line(task_.number.words, 1)};
    case DrillKind::Degrees: {
      task_.group = 1 + random(static_cast<int32_t>(Practice3Data::kDegreeGroups));
      const auto& group = data_.degrees[static_cast<size_t>(task_.group - 1)];
      task_.item = DrawItem(random, group.size());
      task_.form = 1 + random(3);
      return {Line("", 1), Line(DegreeTaskText(task_.form), 3),
              Line(At(group, task_.item)[static_cast<size_t>(task_.form - 1)], 1)};
    }
    case DrillKind::Pronouns:
    case DrillKind::Connectors: {
      const auto& list = kind_ == DrillKind::Pronouns ? data_.pronouns : data_.connectors;
      task_.item = DrawItem(random, list.size());
      return {Line("", 1), Line(At(list, task_.item).task, 1)};
    }
    case DrillKind::IrregularVerbs:
      task_.item = DrawItem(random, data_.verbs.size());
      task_.form = 1 + random(4);
      return {Line("", 1), Line(VerbTaskText(), 3),
              Line(At(data_.verbs, task_.item)[static_cast<size_t>(task_.form - 1)], 1)};
  }
  return {};
}

std::vector<Fragment> Practice3Drill::Answer() {
  if (!answerPending_) return {};
  answerPending_ = false;
  switch (kind_) {
    case DrillKind::WordFormation: return FormationAnswer();
    case DrillKind::Numerals:
      return {Line("", 2), Line(task_.number.digits, 2), Line(task_.number.caption, 3)};
    case DrillKind::Degrees: return DegreesAnswer();
    case DrillKind::Pronouns:
    case DrillKind::Connectors: {
      const auto& list = kind_ == DrillKind::Pronouns ? data_.pronouns : data_.connectors;
      std::vector<Fragment> out{Line("", 1)};
      for (Fragment& f : BraceMarkup(At(list, task_.item).answer)) out.push_back(std::move(f));
      return out;
    }
    case DrillKind::IrregularVerbs: return VerbAnswer();
  }
  return {};
}

std::vector<Fragment> Practice3Drill::FormationAnswer() const {
  const SuffixRow& row = SuffixTable().at(static_cast<size_t>(task_.group - 1));
  const FormationItem& item = At(data_.formation[static_cast<size_t>(task_.group - 1)], task_.item);
  return {Line("", 1), Piece(row.partOfSpeech, 3), Piece(row.suffix, 2), Line(row.after, 3), Line(item.key, 4)};
}

std::vector<Fragment> Practice3Drill::DegreesAnswer() const {
  const auto& item = At(data_.degrees[static_cast<size_t>(task_.group - 1)], task_.item);
  return {Line(FormCaption(task_.form), 4), Line("", 1), Line(DegreeGroupCaption(task_.group), 3),
          Line(Joined(&item[0], 3), 2), Line(Joined(&item[3], 3), 2)};
}

std::vector<Fragment> Practice3Drill::VerbAnswer() const {
  const auto& verb = At(data_.verbs, task_.item);
  return {Line("", 1), Line(Joined(&verb[0], 4), 2), Line(verb[4], 4)};
}

}  // namespace lx
