// Every shipped lesson text renders without a markup error.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/qtext.h"
#include "app/core/settingsslots.h"
#include "app/core/textfile.h"
#include "support/qtapp.h"
#include "text/renderer.h"
#include "text/richpane.h"
#include "text/styletables.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> TextFiles() {
  std::vector<fs::path> files;
  const fs::path root = fs::path(LEXITAR_SOURCE_DIR) / "data" / "texts";
  if (!fs::exists(root)) return files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file() && e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

const lx::StyleTable& TableOf(const fs::path& file) {
  const std::string lesson = file.parent_path().filename().string();
  if (lesson == "les2") return lx::styles::lesson2();
  if (lesson == "les1") return lx::styles::lesson1();
  if (lesson == "les4") return lx::styles::lesson4();
  if (lesson == "les5") return lx::styles::lesson5();
  return lx::styles::lesson3();
}

TEST(CourseTexts, EveryCodeIsADigit) {
  ASSERT_GE(TextFiles().size(), 29u);  // lessons 3, 4 and 5
  for (const auto& file : TextFiles()) {
    std::string bytes;
    ASSERT_TRUE(lx::ReadFileBytes(file.string(), bytes)) << file;
    const auto lines = lx::SplitLines(bytes);
    for (size_t n = 0; n < lines.size(); ++n) {
      const std::string& line = lines[n];
      for (size_t i = line.find('#'); i != std::string::npos; i = line.find('#', i + 1))
        EXPECT_TRUE(i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9')
            << file << " line " << n + 1;
    }
  }
}

TEST(CourseTexts, RenderWithoutErrors) {
  lx::test::App();
  std::vector<QString> errors;
  auto previous = lx::SetTextErrorReporter([&](const QString& m) { errors.push_back(m); });
  lx::SettingsSlots settings;
  for (const auto& file : TextFiles()) {
    lx::RichPane pane;
    lx::MarkupRenderer renderer(pane, TableOf(file), settings);
    std::string bytes;
    ASSERT_TRUE(lx::ReadFileBytes(file.string(), bytes));
    renderer.clear();
    renderer.putmarkupln(QString());
    for (const auto& line : lx::SplitLines(bytes)) EXPECT_TRUE(renderer.putmarkupln(lx::ToQ(line))) << file;
    // Lesson 1's sound notes ("sNN.txt") are one to three lines; topics are longer.
    const bool soundNote = file.filename().string()[0] == 's';
    EXPECT_GT(pane.TextLength(), soundNote ? 100 : 200) << file;
  }
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
  lx::SetTextErrorReporter(previous);
}

}  // namespace

#include "text/picturetable.h"

namespace {

// The set-up draws the seventeen inline pictures into the build's data folder.
TEST(CoursePictures, InlinePicturesAreBuilt) {
  lx::test::App();
  lx::PictureTable table;
  table.Load(lx::DataDir(fs::current_path().string()));
  for (int position = 64; position <= 80; ++position) {
    EXPECT_FALSE(table.at(position).isNull()) << "position " << position;
    EXPECT_GE(table.at(position).width(), 16) << "position " << position;
  }
}

}  // namespace
