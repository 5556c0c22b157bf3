// Practice 3's rules: the five data formats and their capacities, brace markup,
// and what each kind writes for a task and its answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

#include "app/core/cp1251.h"
#include "app/core/errors.h"
#include "app/core/textfile.h"
#include "drills/practice3.h"
#include "script.h"

namespace fs = std::filesystem;

namespace lx {
// Failure messages show a fragment's text as UTF-8.
void PrintTo(const Fragment& f, std::ostream* os) {
  *os << "{" << f.code << ", \"" << Cp1251ToUtf8(f.text) << "\", " << (f.endsLine ? "line" : "piece") << "}";
}
}  // namespace lx

namespace {

using lx::Fragment;

std::string Cp(const char* utf8) { return lx::Utf8ToCp1251(utf8); }
Fragment Ln(const std::string& text, int code) { return {code, text, true}; }
Fragment Pc(const std::string& text, int code) { return {code, text, false}; }

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::string Repeated(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line + "\r\n";
  return out;
}

TEST(BraceMarkup, StylesAndLineBreaks) {
  struct Case {
    const char* text;
    std::vector<Fragment> fragments;
  } cases[] = {
      {"a{b}c[d]", {Pc("a", 3), Pc("b", 2), Pc("c", 3), Pc("d", 4), Ln("", 3)}},
      {"a{b}\tc[d]e", {Pc("a", 3), Pc("b", 2), Ln("", 3), Pc("c", 3), Pc("d", 4), Ln("e", 3)}},
      {"plain", {Ln("plain", 3)}},
      {"", {Ln("", 3)}},
      {"one\ttwo", {Ln("one", 3), Ln("two", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(lx::BraceMarkup(c.text), c.fragments) << c.text;
}

TEST(Practice3Files, WordFormationGroupsAndItems) {
  const auto groups = lx::ParseFormation(Lines({"teach teacher - x", "alone", "*", "*", "act action y z"}));
  ASSERT_EQ(groups[0].size(), 2u);
  EXPECT_EQ(groups[0][0].key, "teach");
  EXPECT_EQ(groups[0][0].text, "teacher - x");
  // A line without a space is all key.
  EXPECT_EQ(groups[0][1].key, "alone");
  EXPECT_EQ(groups[0][1].text, "");
  EXPECT_TRUE(groups[1].empty());
  ASSERT_EQ(groups[2].size(), 1u);
  EXPECT_EQ(groups[2][0].text, "action y z");
}

TEST(Practice3Files, LinesBeyondTheCapacitiesAreNotRead) {
  // 201 items in a group, 26 groups.
  std::string formation = Repeated("a b", 201);
  for (int g = 1; g < 26; ++g) formation += "*\r\nc d\r\n";
  const auto groups = lx::ParseFormation(formation);
  EXPECT_EQ(groups[0].size(), 200u);
  EXPECT_EQ(groups[24].size(), 1u);

  std::string degrees = Repeated("a\tb\tc\td\te\tf\tg", 26);
  for (int g = 1; g < 7; ++g) degrees += "*\r\nx\r\n";
  const auto degreeGroups = lx::ParseDegrees(degrees);
  EXPECT_EQ(degreeGroups[0].size(), 25u);
  EXPECT_EQ(degreeGroups[0][0][5], "f");  // the seventh field is dropped
  EXPECT_EQ(degreeGroups[5].size(), 1u);
  EXPECT_EQ(degreeGroups[5][0][0], "x");
  EXPECT_EQ(degreeGroups[5][0][1], "");

  EXPECT_EQ(lx::ParseListTasks(Repeated("t\ta", 250)).size(), 200u);
  EXPECT_EQ(lx::ParseVerbs(Repeated("go\twent\tgone\tgoing\tx", 250)).size(), 200u);
}

TEST(Practice3Files, ListAndVerbLines) {
  const auto list = lx::ParseListTasks(Lines({"task\tanswer {x}\tsecond", "no tab"}));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].task, "task");
  EXPECT_EQ(list[0].answer, "answer {x}\tsecond");
  EXPECT_EQ(list[1].task, "no tab");
  EXPECT_EQ(list[1].answer, "");
  const auto verbs = lx::ParseVerbs(Lines({"go\twent\tgone\tgoing\tx", "be"}));
  ASSERT_EQ(verbs.size(), 2u);
  EXPECT_EQ(verbs[0][3], "going");
  EXPECT_EQ(verbs[1][0], "be");
  EXPECT_EQ(verbs[1][4], "");
}

class TempFolder {
 public:
  TempFolder() : root_(fs::temp_directory_path() / ("lexitar_practice3_" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "data");
  }
  ~TempFolder() { fs::remove_all(root_); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / "data" / name, std::ios::binary) << bytes;
  }
  lx::DataDir dir() const { return lx::DataDir(root_.string()); }

 private:
  fs::path root_;
};

TEST(Practice3Files, AMissingFileStopsLoadingThere) {
  TempFolder folder;
  folder.Write("infowo.txt", Lines({"teach teacher"}));
  folder.Write("infowo2.txt", Lines({"good\tbetter\tbest"}));
  folder.Write("infowo4.txt", Lines({"t\ta"}));
  folder.Write("infowo5.txt", Lines({"go\twent\tgone\tgoing\tx"}));
  lx::Practice3Data data;
  try {
    lx::LoadPractice3Data(folder.dir(), data);
    FAIL() << "no error for the missing file";
  } catch (const lx::FileError& e) {
    EXPECT_NE(std::string(e.what()).find("infowo3.txt"), std::string::npos) << e.what();
  }
  EXPECT_EQ(data.formation[0].size(), 1u);
  EXPECT_EQ(data.degrees[0].size(), 1u);
  EXPECT_TRUE(data.pronouns.empty());
  EXPECT_TRUE(data.connectors.empty());
  EXPECT_TRUE(data.verbs.empty());
}

// A small table for every kind.
lx::Practice3Data SmallData() {
  lx::Practice3Data d;
  d.formation = lx::ParseFormation(Lines({"teach teacher", "*", "act actor", "*", "act action", "nospace"}));
  d.degrees = lx::ParseDegrees(Lines({"good\tbetter\tbest\tg\tb\tbb"}));
  d.pronouns = lx::ParseListTasks(Lines({"task one\tI know {him}.\t[object]"}));
  d.connectors = lx::ParseListTasks(Lines({"on the table\t{on}"}));
  d.verbs = lx::ParseVerbs(Lines({"go\twent\tgone\tgoing\tgo-ru"}));
  return d;
}

TEST(Practice3Drill, WordFormation) {
  const lx::Practice3Data data = SmallData();
  lx::Practice3Drill drill(data);
  EXPECT_TRUE(drill.Answer().empty()) << "no task yet";
  Script s{{{23, 0}, {1, 0}}};
  EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln("", 1), Ln("teacher", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 1), Pc(Cp("Существительное "), 3), Pc("-er", 2),
                                                   Ln(Cp(" (Лицо или предмет)"), 3), Ln("teach", 4)}));
  EXPECT_TRUE(drill.Answer().empty()) << "the answer is written once";

  // Group 3 has nothing after its suffix; its second line has no space.
  s.draws = {{23, 2}, {2, 1}};
  EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln("", 1), Ln("", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 1), Pc(Cp("Существительное "), 3), Pc("-ion", 2),
                                                   Ln("", 3), Ln("nospace", 4)}));
  // An empty group yields its empty item 1.
  s.draws = {{23, 22}, {1, 0}};
  EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln("", 1), Ln("", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 1), Pc(Cp("Наречие "), 3), Pc("-ly", 2), Ln("", 3),
                                                   Ln("", 4)}));
}

TEST(Practice3Drill, DegreesAskByTheFormShown) {
  const lx::Practice3Data data = SmallData();
  lx::Practice3Drill drill(data);
  drill.SetKind(lx::DrillKind::Degrees);
  const std::string build = Cp("Постройте Сравнительную и Превосходную формы.");
  const std::string translate = Cp("Переведите слово. Как оно образовано?");
  struct Case {
    int form;
    const std::string& question;
    const char* shown;
    const char* caption;
  } cases[] = {{1, build, "good", " (Положительная форма)"},
               {2, translate, "better", " (Сравнительная форма)"},
               {3, translate, "best", " (Превосходная форма)"}};
  for (const Case& c : cases) {
    Script s{{{6, 0}, {1, 0}, {3, c.form - 1}}};
    EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln(c.question, 3), Ln(c.shown, 1)}));
    EXPECT_EQ(drill.Answer(),
              (std::vector<Fragment>{Ln(Cp(c.caption), 4), Ln("", 1), Ln(Cp("Прилагательное, исключение"), 3),
                                     Ln("good - better - best", 2), Ln("g - b - bb", 2)}));
  }
}

TEST(Practice3Drill, ListsVerbsAndNumerals) {
  const lx::Practice3Data data = SmallData();
  lx::Practice3Drill drill(data);

  drill.SetKind(lx::DrillKind::Pronouns);
  Script s{{{1, 0}}};
  EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln("task one", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 1), Pc("I know ", 3), Pc("him", 2), Ln(".", 3),
                                                   Pc("", 3), Pc("object", 4), Ln("", 3)}));

  drill.SetKind(lx::DrillKind::Connectors);
  s.draws = {{1, 0}};
  EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln("on the table", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 1), Pc("", 3), Pc("on", 2), Ln("", 3)}));

  drill.SetKind(lx::DrillKind::IrregularVerbs);
  s.draws = {{1, 0}, {4, 3}};
  EXPECT_EQ(drill.Next(s.source()),
            (std::vector<Fragment>{Ln("", 1),
                                   Ln(Cp("Переведите глагол. В какой он форме? Какие другие формы этого глагола?"), 3),
                                   Ln("going", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 1), Ln("go - went - gone - going", 2), Ln("go-ru", 4)}));

  // Numerals: kind 2 (cardinal), class 2, 20 + 1.
  drill.SetKind(lx::DrillKind::Numerals);
  s.draws = {{9, 1}, {4, 2}, {80, 1}};
  EXPECT_EQ(drill.Next(s.source()), (std::vector<Fragment>{Ln("", 1), Ln("", 1), Ln("twenty-one", 1)}));
  EXPECT_EQ(drill.Answer(), (std::vector<Fragment>{Ln("", 2), Ln("21", 2), Ln(Cp("количественное"), 3)}));
}

TEST(Practice3Drill, AKindChangeForgetsTheTask) {
  const lx::Practice3Data data = SmallData();
  lx::Practice3Drill drill(data);
  Script s{{{23, 0}, {1, 0}}};
  drill.Next(s.source());
  EXPECT_TRUE(drill.answerPending());
  drill.SetKind(lx::DrillKind::Degrees);
  EXPECT_FALSE(drill.answerPending());
  EXPECT_TRUE(drill.Answer().empty());
  // Even back on the same kind, the old task's answer is gone.
  drill.SetKind(lx::DrillKind::WordFormation);
  EXPECT_TRUE(drill.Answer().empty());
}

// The shipped data files: every group filled, every line in its format, the verbs
// as the lesson 3 verb list gives them.
class ShippedFiles : public ::testing::Test {
 protected:
  static std::string Read(const char* name) {
    std::string bytes;
    EXPECT_TRUE(lx::ReadFileBytes((fs::path(LEXITAR_SOURCE_DIR) / "data" / name).string(), bytes)) << name;
    return bytes;
  }
  static bool BracesBalanced(const std::string& text) {
    char open = 0;
    for (char c : text) {
      if (c == '{' || c == '[') {
        if (open) return false;
        open = c;
      } else if (c == '}' || c == ']') {
        if (open != (c == '}' ? '{' : '[')) return false;
        open = 0;
      }
    }
    return open == 0;
  }
};

TEST_F(ShippedFiles, EveryLineParsesAndEveryGroupIsFilled) {
  const std::string formation = Read("infowo.txt");
  EXPECT_EQ(std::count(formation.begin(), formation.end(), '\n'), std::count(formation.begin(), formation.end(), '\r'))
      << "CR LF line ends";
  int separators = 0;
  lx::ForEachLine(std::string_view(formation), [&](std::string_view line) {
    if (line == "*") ++separators;
    else EXPECT_NE(line.find(' '), std::string_view::npos) << lx::Cp1251ToUtf8(line);
  });
  EXPECT_EQ(separators, 22) << "23 groups";
  const auto groups = lx::ParseFormation(formation);
  const auto& suffixes = lx::SuffixTable();
  for (size_t g = 0; g < lx::Practice3Data::kFormationGroupsUsed; ++g) {
    SCOPED_TRACE("group " + std::to_string(g + 1) + " " + suffixes[g].suffix);
    EXPECT_GE(groups[g].size(), 15u);
    EXPECT_LE(groups[g].size(), 40u);
    const std::string ending = suffixes[g].suffix.substr(1);
    for (const auto& item : groups[g]) {
      // "base derived — translation": the derived word carries the group's suffix.
      const std::string derived = item.text.substr(0, item.text.find(' '));
      EXPECT_TRUE(derived.size() > ending.size() && derived.compare(derived.size() - ending.size(), ending.size(),
                                                                    ending) == 0)
          << derived;
      EXPECT_NE(item.text.find(" \x97 "), std::string::npos) << "a dash before the translation: " << item.text;
    }
  }

  const std::string degrees = Read("infowo2.txt");
  const auto degreeGroups = lx::ParseDegrees(degrees);
  int degreeLines = 0;
  lx::ForEachLine(std::string_view(degrees), [&](std::string_view line) {
    if (line != "*") ++degreeLines;
  });
  int parsed = 0;
  for (const auto& group : degreeGroups) {
    EXPECT_FALSE(group.empty());
    for (const auto& item : group) {
      ++parsed;
      for (const auto& field : item) EXPECT_FALSE(field.empty()) << "six fields: " << item[0];
    }
  }
  EXPECT_EQ(parsed, degreeLines) << "no line past a capacity";

  for (const char* name : {"infowo3.txt", "infowo4.txt"}) {
    SCOPED_TRACE(name);
    const std::string bytes = Read(name);
    const auto list = lx::ParseListTasks(bytes);
    EXPECT_GE(list.size(), 60u);
    EXPECT_EQ(list.size(), lx::SplitLines(bytes).size()) << "no line past the capacity";
    std::set<std::string> tasks;
    for (const auto& item : list) {
      EXPECT_FALSE(item.task.empty());
      EXPECT_NE(item.answer.find('{'), std::string::npos) << "the answer marks its key words: " << item.task;
      EXPECT_TRUE(BracesBalanced(item.answer)) << lx::Cp1251ToUtf8(item.answer);
      EXPECT_TRUE(tasks.insert(item.task).second) << "repeated task " << lx::Cp1251ToUtf8(item.task);
    }
  }
}

TEST_F(ShippedFiles, IrregularVerbsAgreeWithTheVerbList) {
  const auto verbs = lx::ParseVerbs(Read("infowo5.txt"));
  EXPECT_GE(verbs.size(), 150u);
  // verbs.txt: base, part of speech, translation, past, participle, -ing form.
  std::map<std::string, std::vector<std::string>> listed;
  for (const auto& line : lx::SplitLines(Read("verbs.txt"))) {
    const auto f = lx::SplitFields(line);
    if (f.size() >= 6) listed[f[0]] = {f[0], f[3], f[4], f[5]};
  }
  for (const auto& verb : verbs) {
    for (const auto& field : verb) EXPECT_FALSE(field.empty()) << verb[0];
    const auto it = listed.find(verb[0]);
    ASSERT_NE(it, listed.end()) << verb[0] << " is not in verbs.txt";
    EXPECT_EQ(std::vector<std::string>(verb.begin(), verb.begin() + 4), it->second) << verb[0];
  }
}

}  // namespace
