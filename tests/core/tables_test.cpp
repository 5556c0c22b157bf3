#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/core/datadir.h"
#include "app/core/dicttables.h"
#include "app/core/errors.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "app/core/textfile.h"

namespace {

TEST(TextFile, LineEnds) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"", {}},
      {"\r\n", {""}},
      {"a\rb\n", {"a\rb"}},  // a lone CR is data
  };
  for (const auto& c : cases) EXPECT_EQ(lx::SplitLines(c.bytes), c.lines) << c.bytes;
}

TEST(SoundIndex, FieldRules) {
  lx::SoundIndex idx;
  idx.Load("go\tgqu\tw1.mp3\t1200\r\nrun\trAn\tw1.mp3\t10\t20\textra\r\n\r\none\r\n");
  ASSERT_EQ(idx.count(), 4);
  EXPECT_EQ(idx.entry(1).start, 1200);
  EXPECT_EQ(idx.entry(1).end, 0);
  EXPECT_EQ(idx.entry(2).end, 20);  // sixth field ignored
  EXPECT_EQ(idx.entry(3).word, "");  // empty line gives an entry with an empty word
  EXPECT_EQ(idx.entry(4).word, "one");
  EXPECT_EQ(idx.entry(4).file, "");
  EXPECT_EQ(idx.FindWord("run"), 2);
  EXPECT_EQ(idx.FindWord("Run"), 0);
  EXPECT_EQ(idx.FindTranscription("gqu"), 1);
}

TEST(SoundIndex, NonIntegerFieldStopsTheLoadKeepingEarlierEntries) {
  for (const char* bad : {"x\t\tf\tabc\t1\r\n", "x\t\tf\t1\t2.5\r\n", "x\t\tf\t99999999999\t1\r\n"}) {
    lx::SoundIndex idx;
    EXPECT_THROW(idx.Load(std::string("a\t\tf\t1\t2\r\n") + bad + "b\t\tf\t1\t2\r\n"), lx::ConvertError);
    EXPECT_EQ(idx.count(), 1) << bad;
  }
}

TEST(SoundIndex, ReserveGrowsBeforeTenPlacesRemain) {
  lx::SoundIndex idx;
  std::string bytes;
  for (int i = 0; i < 3590; ++i) bytes += "w\r\n";
  idx.Load(bytes);
  EXPECT_EQ(idx.reserved(), 3600);
  idx.Append({});
  EXPECT_EQ(idx.count(), 3591);
  EXPECT_EQ(idx.reserved(), 4600);
}

TEST(DictTables, RecordsAndPartialLastRecord) {
  lx::DictTable d1;
  d1.Load("cat\nkxt\n<b>cat</b>\n\xea\xee\xf8\xea\xe0\ndog\ndOg\n");
  ASSERT_EQ(d1.count(), 2);
  EXPECT_EQ(d1.record(2).transcription, "dOg");
  EXPECT_EQ(d1.record(2).article, "");
  lx::Dict2Table d2;
  d2.Load("\xe4\xee\xec\r\nhouse\r\nx\r\n");
  ASSERT_EQ(d2.count(), 2);
  EXPECT_EQ(d2.record(2).article, "");
  lx::DictTable again;
  again.Load(d1.Serialize());
  EXPECT_EQ(again.Serialize(), d1.Serialize());
}

TEST(DictTables, LoadStopsAtCapacity) {
  std::string bytes;
  for (int i = 0; i < lx::Dict2Table::kCapacity + 5; ++i) bytes += "h\r\na\r\n";
  lx::Dict2Table d2;
  d2.Load(bytes);
  EXPECT_EQ(d2.count(), lx::Dict2Table::kCapacity);
}

TEST(SettingsSlots, ReadsAtMostHundredWritesExactlyHundred) {
  for (int lines : {120, 3, 0}) {
    std::string bytes;
    for (int i = 1; i <= lines; ++i) bytes += "v" + std::to_string(i) + "\r\n";
    lx::SettingsSlots s;
    s.set(50, "stale");
    s.Load(bytes);
    EXPECT_EQ(s.get(1), lines ? "v1" : "");
    EXPECT_EQ(s.get(100), lines >= 100 ? "v100" : "");
    EXPECT_TRUE(lines >= 50 || s.empty(50));
    const auto out = lx::SplitLines(s.Serialize());
    EXPECT_EQ(out.size(), 100u);
  }
}

TEST(SettingsSlots, ColoursAndIntegers) {
  lx::SettingsSlots s;
  s.set(1, std::to_string(lx::StoredColor(0xD8, 0xE6, 0xEB)));
  EXPECT_EQ(s.RgbOr(1, 0), 0xD8E6EBu);
  EXPECT_EQ(s.RgbOr(2, 0xFFFFFF), 0xFFFFFFu);
  s.set(3, "big");
  EXPECT_THROW(s.IntOr(3, 12), lx::ConvertError);
  EXPECT_EQ(s.IntOr(4, 12), 12);
  EXPECT_EQ(lx::RgbToStored(0x0040FF), 0xFF4000);
}

TEST(SettingsSlots, ABadSlotIsReportedOnceThenGivesItsDefault) {
  lx::SettingsSlots s;
  s.Load("\r\n\r\nbig\r\nred\r\n");
  // The first read of each damaged slot raises the error, later reads fall back quietly.
  EXPECT_THROW(s.IntOr(3, 12), lx::ConvertError);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(s.IntOr(3, 12), 12);
  EXPECT_THROW(s.RgbOr(4, 0x200040), lx::ConvertError);
  EXPECT_EQ(s.RgbOr(4, 0x200040), 0x200040u);
  // A value stored again is read again, and a new bad value is reported again.
  s.set(3, "14");
  EXPECT_EQ(s.IntOr(3, 12), 14);
  s.set(3, "huge");
  EXPECT_THROW(s.IntOr(3, 12), lx::ConvertError);
  s.Load("\r\n\r\nbig\r\n");
  EXPECT_THROW(s.IntOr(3, 12), lx::ConvertError);
}

TEST(TextFile, ReadFirstLinesStopsAfterTheLinesAsked) {
  const auto path = std::filesystem::temp_directory_path() / ("lexitar_first_" + std::to_string(getpid()));
  std::string many;
  for (int i = 0; i < 50000; ++i) many += "line " + std::to_string(i) + "\r\n";
  struct Case {
    std::string bytes;
    size_t lines;
    std::string expected;
  } cases[] = {
      {many, 100, many.substr(0, many.find("line 100\r\n"))},
      {"a\r\nb", 100, "a\r\nb"},
      {"a\nb\nc\n", 2, "a\nb\n"},
      {"", 100, ""},
  };
  for (const auto& c : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    std::string got;
    ASSERT_TRUE(lx::ReadFirstLines(path.string(), c.lines, got));
    EXPECT_EQ(got, c.expected);
  }
  std::filesystem::remove(path);
  std::string got;
  EXPECT_FALSE(lx::ReadFirstLines(path.string(), 100, got));
}

TEST(TextFile, RandomBytesNeverCrashTheLoaders) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(rng() % 4000, '\0');
    for (auto& c : bytes) c = static_cast<char>(rng());
    lx::SoundIndex idx;
    try { idx.Load(bytes); } catch (const lx::ConvertError&) {}
    lx::DictTable d1;
    d1.Load(bytes);
    lx::SettingsSlots s;
    s.Load(bytes);
    EXPECT_EQ(lx::SplitLines(s.Serialize()).size(), 100u);
  }
}

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("lexitar_atomic_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "info.txt").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Read(const std::string& path) const {
    std::string got;
    EXPECT_TRUE(lx::ReadFileBytes(path, got)) << path;
    return got;
  }
  // Names in the folder: a failed or finished write leaves no temporary file behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(AtomicWrite, ReplacesTheFileAndKeepsItOnFailure) {
  ASSERT_TRUE(lx::WriteFileAtomic(path_, "old"));
  ASSERT_TRUE(lx::WriteFileAtomic(path_, "new"));
  EXPECT_EQ(Read(path_), "new");
  // A disk that takes no more than 4 bytes: the write fails and the file stays whole.
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool wrote = lx::WriteFileAtomic(path_, "lost: longer than the disk allows");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_FALSE(wrote);
  EXPECT_EQ(Read(path_), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"info.txt"});
}

TEST_F(AtomicWrite, ATemporaryNameLeftByAnotherCopyDoesNotBlockTheWrite) {
  for (const char* leftover : {".new", ".tmp", ".XXXXXX"}) std::filesystem::create_directories(path_ + leftover);
  ASSERT_TRUE(lx::WriteFileAtomic(path_, "written"));
  EXPECT_EQ(Read(path_), "written");
  EXPECT_EQ(Names().size(), 4u);
}

TEST_F(AtomicWrite, TheOldFilesModeIsKept) {
  for (mode_t mode : {0600, 0640, 0444, 0000}) {
    ASSERT_TRUE(lx::WriteFileAtomic(path_, "a"));
    ASSERT_EQ(chmod(path_.c_str(), mode), 0);
    ASSERT_TRUE(lx::WriteFileAtomic(path_, "b"));
    struct stat st {};
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
    std::filesystem::remove(path_);
  }
}

TEST_F(AtomicWrite, ANewFileFollowsTheUmask) {
  const mode_t mask = umask(027);
  ASSERT_TRUE(lx::WriteFileAtomic(path_, "a"));
  umask(mask);
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(AtomicWrite, ASymbolicLinkStaysALinkAndItsTargetIsWritten) {
  const std::string target = (dir_ / "real.txt").string();
  ASSERT_TRUE(lx::WriteFileAtomic(target, "old"));
  std::filesystem::create_symlink(target, path_);
  ASSERT_TRUE(lx::WriteFileAtomic(path_, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(Read(target), "new");
}

TEST(DataDir, BackslashPathsMapOntoTheFileSystem) {
  lx::DataDir d("/opt/lexitar");
  EXPECT_EQ(d.root(), "/opt/lexitar/");
  EXPECT_EQ(d.Path("data\\html\\intro.html"), "/opt/lexitar/data/html/intro.html");
  EXPECT_EQ(d.Path("data\\\xea\xed\xe8\xe3\xe0.txt"), "/opt/lexitar/data/книга.txt");
}

}  // namespace
