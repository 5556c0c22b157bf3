// One typography for every lesson text: the dash is "—", quotation marks are « »,
// and words a reader could misread are written with ё.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/cp1251.h"
#include "app/core/textfile.h"

namespace fs = std::filesystem;

namespace {

// What a line breaks, or "" when it keeps the convention. The line is UTF-8.
std::string TypographyFault(const std::string& line) {
  static const std::regex kHyphenAsDash(R"((^| |#[0-9])- | -$)");
  // The title lines of the descriptions are the program's own wording ("Урок 3 - части речи.").
  static const std::regex kTitle("^#[0-9]\xD0\xA3\xD1\x80\xD0\xBE\xD0\xBA [0-9] - ");
  // Lesson 2 writes a reading as "[eI] - rule" and a combination as "ck - [k]": that
  // hyphen is the lesson's own format; the rest of the line keeps the convention.
  static const std::regex kReading(R"(^(#2\[[^\]]*\]#1) - )");
  static const std::regex kCombination(R"(^(#1[^#]+) - (#2\[))");
  std::string rest = std::regex_replace(line, kReading, "$1 — ", std::regex_constants::format_first_only);
  rest = std::regex_replace(rest, kCombination, "$1 — $2", std::regex_constants::format_first_only);
  if (std::regex_search(rest, kHyphenAsDash) && !std::regex_search(line, kTitle))
    return "a hyphen stands for a dash (write —)";
  if (line.find('"') != std::string::npos) return "straight quotation marks (write « »)";
  // Words are runs of letters; in UTF-8 every byte of a Cyrillic letter is >= 0x80.
  // (Lesson 3's link phrases "verbs.xls (щелкните здесь)" are the program's own wording.)
  static const std::set<std::string> kWithoutYo{"еще", "Еще", "ее", "Ее", "нее", "идет", "ребенок", "черный",
                                                "зеленый"};
  std::string word;
  for (size_t i = 0; i <= line.size(); ++i) {
    const unsigned char c = i < line.size() ? static_cast<unsigned char>(line[i]) : 0;
    if (c >= 0x80 || std::isalpha(c)) {
      word += static_cast<char>(c);
      continue;
    }
    if (kWithoutYo.count(word)) return "е written for ё: " + word;
    word.clear();
  }
  return "";
}

TEST(Typography, FaultsAreFound) {
  struct Case {
    const char* line;
    bool fault;
  } cases[] = {
      {"#4a book #3- книга", true},
      {"#4long - longer", true},
      {"- местоимение I", true},
      {"#2Урок 3 - части речи.", false},
      {"#2[eI]#1 - открытый слог.#3 (m#8a#3ke)", false},
      {"#1ck - #2[k] #1(после краткой гласной)", false},
      {"#2[eI]#1 - открытый слог - часто.", true},
      {"слово \"один\"", true},
      {"Деньги — это еще не всё.", true},
      {"#4a book #3— книга, слово «один», ещё, её", false},
      {"#1-er#3 и #1-est#3, по-русски, well-known", false},
      {"текст поёт, идёт, щёлкните; у неё нет", false},
      {"#1verbs.xls (щелкните здесь)", false},
  };
  for (const auto& c : cases) EXPECT_EQ(!TypographyFault(c.line).empty(), c.fault) << c.line;
}

TEST(Typography, LessonTextsKeepOneConvention) {
  const fs::path root = fs::path(LEXITAR_SOURCE_DIR) / "data" / "texts";
  std::vector<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  ASSERT_GT(files.size(), 20u);
  std::ostringstream faults;
  for (const auto& file : files) {
    std::string bytes;
    ASSERT_TRUE(lx::ReadFileBytes(file.string(), bytes)) << file;
    const auto lines = lx::SplitLines(bytes);
    for (size_t n = 0; n < lines.size(); ++n) {
      const std::string fault = TypographyFault(lx::Cp1251ToUtf8(lines[n]));
      if (!fault.empty())
        faults << file.parent_path().filename().string() << "/" << file.filename().string() << ":" << n + 1 << ": "
               << fault << "\n";
    }
  }
  EXPECT_EQ(faults.str(), "");
}

}  // namespace
