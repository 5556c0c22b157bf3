// Practice 4 and 5 as drills: what Next and Answer give, the pending answer, and
// tables that are missing or damaged.
#include <gtest/gtest.h>

#include "script.h"

#include <filesystem>
#include <fstream>

#include "app/core/cp1251.h"
#include "drills/sentencedrill.h"

namespace fs = std::filesystem;

namespace {

std::string Cp(const char* utf8) { return lx::Utf8ToCp1251(utf8); }

lx::DrillTables SmallTables() {
  lx::DrillTables t;
  t.nouns = lx::ParseNounGroups(Cp("I\tя\r\n*\r\nyou\tты\r\n*\r\nhe\tон\r\nthe boy\tмальчик\r\n*\r\nshe\tона\r\n*"
                                   "\r\nit\tоно\r\n*\r\nwe\tмы\r\n*\r\nthey\tони\r\n"));
  t.verbs = lx::ParseVerbTable(Cp("write\tписать\twrote\twritten\twriting\twrites\r\n"));
  return t;
}

std::vector<std::string> Texts(const std::vector<lx::Fragment>& f) {
  std::vector<std::string> out;
  for (const lx::Fragment& x : f) out.push_back(std::to_string(x.code) + (x.endsLine ? "|" : ">") + lx::Cp1251ToUtf8(x.text));
  return out;
}

TEST(Practice4Drill, NextAnswerAndASecondAnswer) {
  const lx::DrillTables tables = SmallTables();
  Script s{{// An imperative for group 1 has no sentence: everything is drawn again.
            {10, 3}, {3, 1}, {4, 0}, {5, 0}, {3, 0}, {12, 1}, {1, 0}, {1, 0},
            // Negative request of group 6, "let's not" form.
            {10, 3}, {3, 0}, {4, 3}, {5, 0}, {3, 0}, {12, 8}, {1, 0}, {1, 0}, {2, 0}, {2, 0}}};
  lx::Practice4Drill drill(tables, s.source());
  EXPECT_FALSE(drill.pending());
  EXPECT_TRUE(drill.Answer().empty());  // nothing shown yet, nothing to answer
  EXPECT_EQ(Texts(drill.Next()), (std::vector<std::string>{"1|", "1|", "2|Let's not write, please"}));
  EXPECT_TRUE(s.draws.empty());
  EXPECT_TRUE(drill.pending());
  EXPECT_EQ(Texts(drill.Answer()),
            (std::vector<std::string>{"1|", "4>Повелительное ", "4>отрицательное ", "4|предложение", "1|просьба ",
                                      "3|мы", "3|писать", "1|"}));
  EXPECT_FALSE(drill.pending());
  EXPECT_TRUE(drill.Answer().empty());
}

TEST(Practice5Drill, PhrasesKeepTheirCase) {
  const lx::DrillTables tables = SmallTables();
  Script s{{{2, 1}, {11, 0}, {12, 0}, {1, 0}, {1, 0}, {2, 0}, {5, 2}, {12, 5}, {2, 1}, {1, 0}}};
  lx::Practice5Drill drill(tables, s.source());
  EXPECT_EQ(Texts(drill.Next()), (std::vector<std::string>{"1|", "1|", "1|to write"}));
  EXPECT_EQ(Texts(drill.Answer()), (std::vector<std::string>{"1|", "2|Инфинитив (что делать?). Indefinite. Active.",
                                                             "1|", "3|", "3|писать"}));
  EXPECT_TRUE(drill.Answer().empty());
  EXPECT_EQ(Texts(drill.Next()), (std::vector<std::string>{"1|", "1|", "1|the boy would write"}));
  EXPECT_EQ(Texts(drill.Answer())[3], "3|мальчик");
}

// A group without subjects is never shown as a sentence without a subject.
TEST(Practice4Drill, EmptyGroupIsDrawnAgain) {
  lx::DrillTables tables = SmallTables();
  tables.nouns.groups[2].clear();
  // Group 3 is drawn first; its sentence would have no subject.
  Script s{{{10, 9}, {3, 1}, {4, 0}, {5, 0}, {3, 1}, {12, 5}, {1, 0}, {3, 1},
            {10, 9}, {3, 1}, {4, 0}, {5, 0}, {3, 1}, {12, 6}, {1, 0}, {1, 0}, {3, 1}}};
  lx::Practice4Drill drill(tables, s.source());
  EXPECT_EQ(Texts(drill.Next())[2], "2|She writes");
  EXPECT_TRUE(s.draws.empty());
}

class DrillFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("lexitar_drillfiles_" + std::string(
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Write(const char* name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return (dir / name).string();
  }
  std::vector<std::string> Problems(const lx::DrillTables& t) {
    std::vector<std::string> out;
    for (const std::string& p : t.problems) out.push_back(lx::Cp1251ToUtf8(p));
    return out;
  }
  fs::path dir;
};

TEST_F(DrillFiles, MissingAndDamagedTables) {
  const std::string nouns = Write("noun.txt", "I\r\n*\r\nyou\r\n*\r\nhe\r\n*\r\nshe\r\n*\r\nit\r\n*\r\nwe\r\n*\r\nthey\r\n");
  const std::string verbs = Write("verb.txt", "write\tw\twrote\twritten\twriting\twrites\r\n"
                                              "go\tidti\twent\r\n\r\n"
                                              "read\tr\tread\tread\treading\treads\r\n");
  const lx::DrillTables good = lx::LoadDrillTables(nouns, verbs);
  EXPECT_EQ(Problems(good), std::vector<std::string>{
                                "В файле verb.txt строка 2 (\"go\") пропущена: в ней нет всех шести полей через табуляцию"});
  ASSERT_EQ(good.verbs.verbs.size(), 2u);
  EXPECT_EQ(good.verbs.verbs[1].base, "read");

  const std::string missing = (dir / "absent.txt").string();
  const lx::DrillTables noNouns = lx::LoadDrillTables(missing, verbs);
  ASSERT_EQ(noNouns.problems.size(), 2u);
  EXPECT_EQ(Problems(noNouns)[0], "Не удалось прочитать файл " + missing);
  EXPECT_EQ(noNouns.verbs.verbs.size(), 2u);  // what could be read is kept
  EXPECT_FALSE(lx::CanDraw(noNouns));
  lx::Practice4Drill drill(noNouns, [](int32_t) { return 0; });
  const std::vector<lx::Fragment> shown = drill.Next();
  EXPECT_NE(lx::Cp1251ToUtf8(shown.back().text).find("Заданий нет"), std::string::npos);
  EXPECT_FALSE(drill.pending());
  EXPECT_TRUE(drill.Answer().empty());

  const std::string short5 = Write("short.txt", "I\r\n*\r\nyou\r\n\r\n*\r\nhe\r\n");
  const lx::DrillTables fewGroups = lx::LoadDrillTables(short5, missing);
  EXPECT_EQ(Problems(fewGroups),
            (std::vector<std::string>{"В файле short.txt пропущены пустые строки группы 2",
                                      "В файле short.txt нет подлежащих группы 4",
                                      "В файле short.txt нет подлежащих группы 5",
                                      "В файле short.txt нет подлежащих группы 6",
                                      "В файле short.txt нет подлежащих группы 7", "Не удалось прочитать файл " + missing}));
  EXPECT_EQ(fewGroups.nouns.groups[1].size(), 1u);
}

// The shipped tables load without a word of complaint.
TEST(DrillFilesShipped, CourseTablesHaveNoProblems) {
  const std::string data = std::string(LEXITAR_SOURCE_DIR) + "/data/";
  const lx::DrillTables t = lx::LoadDrillTables(data + "noun.txt", data + "verb.txt");
  EXPECT_TRUE(t.problems.empty()) << lx::Cp1251ToUtf8(t.problems.empty() ? "" : t.problems[0]);
  EXPECT_GE(t.verbs.verbs.size(), 150u);
}

}  // namespace
