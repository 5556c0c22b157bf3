#include <gtest/gtest.h>

#include <filesystem>
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

TEST(TextFile, AtomicWriteKeepsOldFileOnFailure) {
  const auto dir = std::filesystem::temp_directory_path() / "lexitar_atomic";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "info.txt").string();
  ASSERT_TRUE(lx::WriteFileAtomic(path, "old"));
  ASSERT_TRUE(lx::WriteFileAtomic(path, "new"));
  std::string got;
  ASSERT_TRUE(lx::ReadFileBytes(path, got));
  EXPECT_EQ(got, "new");
  // The temporary name is occupied by a folder: the write fails and the file stays.
  std::filesystem::create_directories(path + ".new");
  EXPECT_FALSE(lx::WriteFileAtomic(path, "lost"));
  ASSERT_TRUE(lx::ReadFileBytes(path, got));
  EXPECT_EQ(got, "new");
  std::filesystem::remove_all(dir);
}

TEST(DataDir, BackslashPathsMapOntoTheFileSystem) {
  lx::DataDir d("/opt/lexitar");
  EXPECT_EQ(d.root(), "/opt/lexitar/");
  EXPECT_EQ(d.Path("data\\html\\intro.html"), "/opt/lexitar/data/html/intro.html");
  EXPECT_EQ(d.Path("data\\\xea\xed\xe8\xe3\xe0.txt"), "/opt/lexitar/data/книга.txt");
}

}  // namespace
