#include "shareddata.h"

#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "errorbox.h"

namespace lx {
namespace {

std::string ReadStartupFile(const DataDir& dir, const char* relative) {
  const std::string path = dir.Path(relative);
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError("Cannot open file \"" + path + "\". No such file or directory");
  return bytes;
}

// info.txt: no more than its 100 slot lines are read.
std::string ReadSettingsFile(const DataDir& dir) {
  const std::string path = dir.Path("data\\info.txt");
  std::string bytes;
  if (!ReadFirstLines(path, SettingsSlots::kCount, bytes))
    throw FileError("Cannot open file \"" + path + "\". No such file or directory");
  return bytes;
}

}  // namespace

bool LoadStartupTables(SharedData& data) {
  try {
    data.soundIndex.Load(ReadStartupFile(data.dataDir, "data\\words.txt"));
    data.dictTable.Load(ReadStartupFile(data.dataDir, "data\\dict1.txt"));
    data.dict2Table.Load(ReadStartupFile(data.dataDir, "data\\dict2.txt"));
    data.settingsSlots.Clear();
    data.settingsSlots.Load(ReadSettingsFile(data.dataDir));
  } catch (const FileError& e) {
    ShowErrorBox(QString::fromUtf8(e.what()));  // paths are the file system's UTF-8
    return false;
  } catch (const ConvertError& e) {
    ShowErrorBox(ToQ(e.what()));  // the offending text is Windows-1251
    return false;
  }
  return true;
}

bool SaveSettingsSlots(const SharedData& data) {
  return WriteFileAtomic(data.dataDir.Path("data\\info.txt"), data.settingsSlots.Serialize());
}

}  // namespace lx
