#pragma once
// A small course folder for the lesson window tests: a few lines of markup per
// text, a tiny sound index, and handlers that record what a click asked for.
#include <QString>
#include <QTextEdit>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/soundindex.h"
#include "text/panepicker.h"

namespace lx::test {

// A fresh folder under the temporary directory, removed by the destructor.
class CourseFolder {
 public:
  explicit CourseFolder(const std::string& name);
  ~CourseFolder();
  const std::filesystem::path& root() const { return root_; }
  // Writes data/<relative> as Windows-1251 with CR LF line ends.
  void Write(const std::string& relative, const std::vector<QString>& lines) const;
  // data/texts/les<lesson>/tNN.txt: a title line "#2<title>" and `bodyLines` lines of body.
  void WriteText(int lesson, int id, const QString& title, int bodyLines = 3) const;
  // Every text of lessons 3, 4 and 5, titled "Lesson L text N", long enough to scroll.
  void WriteAllTexts() const;
  // The drills' data files, small but complete, so that the whole program starts
  // without a missing-file message.
  void WriteDrillTables() const;
  // data/<relative>: a silent mono WAV of `ms` milliseconds, so that the length of the
  // recording a sound service opened tells which one it was.
  void WriteSilence(const std::string& relative, int ms) const;

 private:
  std::filesystem::path root_;
};

// hello, world, table [teIbl], b [bi:], a, 7, dont, verbs, здесь.
const SoundIndex& TinySoundIndex();

struct PickRecord {
  std::vector<int> played;
  std::vector<std::string> entries;  // keys put into the entry field (Windows-1251)
  int lookUps = 0;
  void Clear() { *this = PickRecord(); }
};

// Handlers that append to `record`; the dictionary is never active.
PickHandlers RecordingHandlers(PickRecord& record);

// The first line of a pane that is not empty, as UTF-8.
std::string FirstLine(const QTextEdit& pane);

// A Windows-1251 key from UTF-8 text.
std::string Cp(const char* utf8);

}  // namespace lx::test
