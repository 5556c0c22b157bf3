#include <gtest/gtest.h>

#include "support/qtapp.h"

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

#include "app/Unit1.h"
#include "audio/audio.h"
#include "app/Unit18.h"
#include "app/core/textfile.h"
#include "app/errorbox.h"
#include "app/topwindows.h"

namespace fs = std::filesystem;

namespace {


// A data folder in a fresh temporary directory, filled with the given files.
class DataFolder {
 public:
  explicit DataFolder(const std::map<std::string, std::string>& files) {
    root_ = fs::temp_directory_path() / ("lexitar_startup_" + std::to_string(::getpid()) + "_" + std::to_string(++counter_));
    fs::remove_all(root_);
    fs::create_directories(root_ / "data");
    for (const auto& [name, bytes] : files) std::ofstream(root_ / "data" / name, std::ios::binary) << bytes;
  }
  ~DataFolder() { fs::remove_all(root_); }
  lx::DataDir dir() const { return lx::DataDir(root_.string()); }
  std::string Read(const std::string& name) const {
    std::string bytes;
    lx::ReadFileBytes((root_ / "data" / name).string(), bytes);
    return bytes;
  }

 private:
  static inline int counter_ = 0;
  fs::path root_;
};

std::string Lines(int n, const std::string& prefix) {
  std::string out;
  for (int i = 1; i <= n; ++i) out += prefix + std::to_string(i) + "\r\n";
  return out;
}

struct ErrorCapture {
  ErrorCapture() {
    lx::SetErrorReporter([this](const QString& m) { messages.push_back(m); });
  }
  ~ErrorCapture() { lx::SetErrorReporter({}); }
  std::vector<QString> messages;
};

const std::map<std::string, std::string> kGoodFiles = {
    {"words.txt", "run\trAn\tw1.mp3\t10\t200\r\n"},
    {"dict1.txt", "run\r\nrAn\r\n<b>run</b>\r\n\xe1\xe5\xe6\xe0\xf2\xfc\r\n"},
    {"dict2.txt", "\xe1\xe5\xe6\xe0\xf2\xfc\r\nrun<br>\r\n"},
    {"info.txt", Lines(120, "slot")},
};

TEST(Startup, LoadsEveryTableAndWritesExactlyHundredSlots) {
  lx::test::App();
  ErrorCapture errors;
  DataFolder folder(kGoodFiles);
  {
    lx::TForm1 form(folder.dir());
    EXPECT_TRUE(form.startupComplete());
    EXPECT_GT(lx::OutputRate(), 0) << "the audio output opens at start-up";
    EXPECT_EQ(form.shared().soundIndex.count(), 1);
    EXPECT_EQ(form.shared().dictTable.count(), 1);
    EXPECT_EQ(form.shared().dict2Table.count(), 1);
    EXPECT_EQ(form.shared().settingsSlots.get(100), "slot100");
    form.shared().settingsSlots.set(2, "changed");
    form.close();
  }
  EXPECT_TRUE(errors.messages.empty());
  const auto lines = lx::SplitLines(folder.Read("info.txt"));
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_EQ(lines[1], "changed");
  EXPECT_EQ(lines[99], "slot100");
  EXPECT_EQ(folder.Read("info.txt").substr(0, 7), "slot1\r\n");
}

// Each failing step shows the error box and skips every later step.
TEST(Startup, AFailingStepReportsAndSkipsTheRest) {
  lx::test::App();
  struct Case {
    const char* name;
    std::string file;
    std::string bytes;  // empty: the file is removed
    int sounds, dict1, dict2;
    const char* messagePart;
  } cases[] = {
      {"missing words", "words.txt", "", 0, 0, 0, "words.txt"},
      {"bad start", "words.txt", "a\t\tf\t1\t2\r\nb\t\tf\tx1\t2\r\n", 1, 0, 0, "'x1' is not a valid integer value"},
      {"bad end", "words.txt", "a\t\tf\t1\t2.0\r\n", 0, 0, 0, "'2.0'"},
      {"missing dict1", "dict1.txt", "", 1, 0, 0, "dict1.txt"},
      {"missing dict2", "dict2.txt", "", 1, 1, 0, "dict2.txt"},
      {"missing info", "info.txt", "", 1, 1, 1, "info.txt"},
  };
  for (const auto& c : cases) {
    auto files = kGoodFiles;
    if (c.bytes.empty()) files.erase(c.file);
    else files[c.file] = c.bytes;
    DataFolder folder(files);
    ErrorCapture errors;
    lx::TForm1 form(folder.dir());
    EXPECT_FALSE(form.startupComplete()) << c.name;
    EXPECT_EQ(form.shared().soundIndex.count(), c.sounds) << c.name;
    EXPECT_EQ(form.shared().dictTable.count(), c.dict1) << c.name;
    EXPECT_EQ(form.shared().dict2Table.count(), c.dict2) << c.name;
    EXPECT_TRUE(form.shared().settingsSlots.empty(1)) << c.name;
    ASSERT_EQ(errors.messages.size(), 1u) << c.name;
    EXPECT_TRUE(errors.messages[0].contains(c.messagePart)) << c.name << ": " << errors.messages[0].toStdString();
  }
}

// Settings never read from an existing info.txt must not overwrite it with empty lines.
TEST(Startup, ShutdownAfterFailedStartKeepsTheLearnersSettings) {
  lx::test::App();
  ErrorCapture errors;
  auto files = kGoodFiles;
  files.erase("dict1.txt");
  DataFolder folder(files);
  {
    lx::TForm1 form(folder.dir());
    form.close();
  }
  EXPECT_EQ(folder.Read("info.txt"), kGoodFiles.at("info.txt"));
  // With no info.txt at all, shutdown creates one of 100 empty lines.
  auto noInfo = kGoodFiles;
  noInfo.erase("info.txt");
  DataFolder fresh(noInfo);
  {
    lx::TForm1 form(fresh.dir());
    form.close();
  }
  std::string hundredEmpty;
  for (int i = 0; i < 100; ++i) hundredEmpty += "\r\n";
  EXPECT_EQ(fresh.Read("info.txt"), hundredEmpty);
}

TEST(Startup, RandomBytesInEveryFileNeverHang) {
  lx::test::App();
  std::mt19937 rng(11);
  for (int round = 0; round < 20; ++round) {
    std::map<std::string, std::string> files;
    for (const char* name : {"words.txt", "dict1.txt", "dict2.txt", "info.txt"}) {
      std::string bytes(rng() % 3000, '\0');
      for (auto& ch : bytes) ch = static_cast<char>(rng());
      files[name] = bytes;
    }
    DataFolder folder(files);
    ErrorCapture errors;
    lx::TForm1 form(folder.dir());
    EXPECT_LE(errors.messages.size(), 1u);
    form.close();
  }
}

TEST(Startup, ProgressGaugeRoundsHalvesToEven) {
  lx::test::App();
  struct Case {
    int done, total, percent;
  } cases[] = {{0, 10, 0}, {1, 8, 12}, {1, 200, 0}, {3, 200, 2}, {5, 200, 2}, {7, 200, 4}, {8, 8, 100}, {1, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(lx::TForm18::Percent(c.done, c.total), c.percent) << c.done << "/" << c.total;
  lx::TForm18 progress;
  EXPECT_EQ(progress.windowTitle(), "Progress");
  EXPECT_TRUE(progress.windowFlags() & Qt::WindowStaysOnTopHint);
  progress.Begin();
  progress.Step(1, 3);
  EXPECT_EQ(progress.gauge()->value(), 33);
  EXPECT_EQ(progress.gauge()->text(), "33%");
  progress.End();
  EXPECT_FALSE(progress.isVisible());
}

TEST(SingleInstanceRule, OnlyAnUnownedForeignWindowTitledExactlyLexitar) {
  struct Case {
    lx::TopWindow window;
    bool stops;
  } cases[] = {
      {{1, "Lexitar", false, 0}, true},
      {{1, "Lexitar - Lesson 1", false, 0}, false},
      {{1, "lexitar", false, 0}, false},
      {{1, "Lexitar", true, 0}, false},    // owned by another window
      {{1, "Lexitar", false, 42}, false},  // our own process
      {{1, "Lexitar", false, 41}, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lx::AnotherInstanceRunning({c.window}, "Lexitar", 42), c.stops) << c.window.title;
  EXPECT_FALSE(lx::AnotherInstanceRunning({}, "Lexitar", 42));
}

}  // namespace
