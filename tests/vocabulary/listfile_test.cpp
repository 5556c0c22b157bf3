// The default list file's guard: a file that was not read completely is never
// written over; the learner's changes go to a new file beside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/core/textfile.h"
#include "vocabulary/listfile.h"

namespace {

namespace fs = std::filesystem;
using lx::DefaultListFile;
using lx::WordList;

class DefaultList : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lexitar-listfile-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_ / "w01.txt", fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void Write(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const char* name) const {
    std::string bytes;
    if (!lx::ReadFileBytes(Path(name), bytes)) return "<unreadable>";
    return bytes;
  }
  static std::string Lines(size_t n) {
    std::string bytes;
    for (size_t i = 0; i < n; ++i) bytes += "w" + std::to_string(i) + "\tnoun\t\r\n";
    return bytes;
  }
  fs::path dir_;
};

// A complete read is written back; a missing file is created from the list.
TEST_F(DefaultList, ReadCompletelyOrMissingIsWrittenBack) {
  Write("w01.txt", "cat\tnoun\tkoshka\r\n");
  WordList list;
  DefaultListFile file(Path("w01.txt"), list);
  EXPECT_TRUE(file.Load().complete());
  EXPECT_FALSE(file.guarded());
  EXPECT_FALSE(file.changed());
  list.AppendWord("dog");
  EXPECT_TRUE(file.changed());
  const DefaultListFile::Saved saved = file.Save();
  EXPECT_EQ(saved.path, Path("w01.txt"));
  EXPECT_FALSE(saved.beside);
  EXPECT_EQ(Read("w01.txt"), "cat\tnoun\tkoshka\r\ndog\t\t\r\n");

  WordList fresh;
  DefaultListFile missing(Path("new.txt"), fresh);
  EXPECT_FALSE(missing.Load().opened);
  EXPECT_FALSE(missing.guarded());
  fresh.AppendWord("sun");
  EXPECT_EQ(missing.Save().path, Path("new.txt"));
  EXPECT_EQ(Read("new.txt"), "sun\t\t\r\n");
}

// Unreadable (a read error) or longer than the list holds: the file stays as it
// was; an unchanged list writes nothing, a changed one goes to a free name beside it.
TEST_F(DefaultList, IncompleteReadNeverOverwritesTheFile) {
  struct Case {
    const char* name;
    bool folder;        // the path is a folder: opening works, reading fails
    size_t lines;       // lines in the file
    bool change;        // the learner changes the list
    size_t expectCount; // entries after the load
  } cases[] = {
      {"read error, unchanged", true, 0, false, 0},
      {"read error, changed", true, 0, true, 0},
      {"over the capacity, unchanged", false, WordList::kCapacity + 3, false, WordList::kCapacity},
      {"over the capacity, changed", false, WordList::kCapacity + 3, true, WordList::kCapacity},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    if (c.folder) fs::create_directories(dir_ / "w01.txt");
    else Write("w01.txt", Lines(c.lines));
    const std::string before = c.folder ? "" : Read("w01.txt");
    Write("w01-1.txt", "taken\t\t\r\n");  // the first free name is -2

    WordList list;
    DefaultListFile file(Path("w01.txt"), list);
    const lx::ListLoad load = file.Load();
    EXPECT_FALSE(load.complete());
    EXPECT_EQ(load.unread, c.folder ? 0u : 3u);
    EXPECT_EQ(list.count(), c.expectCount);
    EXPECT_TRUE(file.guarded());
    if (c.change) list.empty() ? list.AppendWord("new") : list.Delete(1);
    const DefaultListFile::Saved saved = file.Save();

    if (c.folder) EXPECT_TRUE(fs::is_directory(dir_ / "w01.txt"));
    else EXPECT_EQ(Read("w01.txt"), before);
    EXPECT_EQ(Read("w01-1.txt"), "taken\t\t\r\n");
    EXPECT_EQ(saved.beside, c.change);
    EXPECT_FALSE(saved.failed);
    if (c.change) {
      EXPECT_EQ(saved.path, Path("w01-2.txt"));
      WordList back;
      EXPECT_TRUE(lx::LoadListFile(saved.path, back).complete());
      EXPECT_TRUE(back.entries() == list.entries());
    } else {
      EXPECT_TRUE(saved.path.empty());
      EXPECT_FALSE(fs::exists(dir_ / "w01-2.txt"));
    }
  }
}

// A file without read permission (meaningless for root, who reads it anyway).
TEST_F(DefaultList, FileWithoutReadPermissionIsKept) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files of mode 000";
  Write("w01.txt", Lines(41));
  fs::permissions(dir_ / "w01.txt", fs::perms::none);
  WordList list;
  DefaultListFile file(Path("w01.txt"), list);
  EXPECT_FALSE(file.Load().opened);
  EXPECT_TRUE(file.guarded());
  EXPECT_TRUE(file.Save().path.empty());
  fs::permissions(dir_ / "w01.txt", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Read("w01.txt"), Lines(41));
}

// Saving the list over the guarded file with the save command lifts the guard.
TEST_F(DefaultList, SavingOverTheFileLiftsTheGuard) {
  Write("w01.txt", Lines(WordList::kCapacity + 1));
  WordList list;
  DefaultListFile file(Path("w01.txt"), list);
  file.Load();
  ASSERT_TRUE(file.guarded());
  file.SavedAs(Path("other.txt"));
  EXPECT_TRUE(file.guarded());
  list.Delete(1);
  ASSERT_TRUE(lx::SaveWordList(Path("w01.txt"), list));
  file.SavedAs((dir_ / "." / "w01.txt").string());
  EXPECT_FALSE(file.guarded());
  EXPECT_EQ(file.Save().path, Path("w01.txt"));
}

}  // namespace
