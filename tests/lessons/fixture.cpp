#include "fixture.h"

#include <fstream>

#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "tests/support/silence.h"

namespace fs = std::filesystem;

namespace lx::test {

CourseFolder::CourseFolder(const std::string& name) {
  root_ = fs::temp_directory_path() / ("lexitar_lessons_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(root_);
  fs::create_directories(root_ / "data");
}

CourseFolder::~CourseFolder() { fs::remove_all(root_); }

void CourseFolder::Write(const std::string& relative, const std::vector<QString>& lines) const {
  const fs::path path = root_ / "data" / relative;
  fs::create_directories(path.parent_path());
  std::vector<std::string> bytes;
  for (const QString& line : lines) bytes.push_back(FromQ(line));
  std::ofstream(path, std::ios::binary) << JoinLinesCrlf(bytes);
}

void CourseFolder::WriteText(int lesson, int id, const QString& title, int bodyLines) const {
  std::vector<QString> lines{"#2" + title, ""};
  for (int n = 1; n <= bodyLines; ++n) lines.push_back(QString("#3Строка %1 текста, #4one more line #5[teIbl]#3.").arg(n));
  char name[32];
  std::snprintf(name, sizeof name, "texts/les%d/t%02d.txt", lesson, id);
  Write(name, lines);
}

void CourseFolder::WriteAllTexts() const {
  for (int lesson = 3; lesson <= 5; ++lesson)
    for (int id = 1; id <= 10; ++id) WriteText(lesson, id, QString("Lesson %1 text %2").arg(lesson).arg(id), 80);
}

void CourseFolder::WriteDrillTables() const {
  for (const char* f : {"infowo.txt", "infowo2.txt", "infowo3.txt", "infowo4.txt", "infowo5.txt"}) Write(f, {});
  Write("noun.txt", {"I", "*", "you", "*", "he", "*", "she", "*", "it", "*", "we", "*", "they"});
  Write("verb.txt", {"write\tписать\twrote\twritten\twriting\twrites"});
}

void CourseFolder::WriteSilence(const std::string& relative, int ms) const {
  ::lx::test::WriteSilence(root_ / "data" / relative, ms);
}

std::string FirstLine(const QTextEdit& pane) {
  for (const QString& line : pane.toPlainText().split('\n'))
    if (!line.trimmed().isEmpty()) return line.toStdString();
  return {};
}

std::string Cp(const char* utf8) { return FromQ(QString::fromUtf8(utf8)); }

const SoundIndex& TinySoundIndex() {
  static const SoundIndex index = [] {
    SoundIndex i;
    i.Load(Cp("hello\t[hq'lou]\ts1.mp3\t0\t500\r\n"
              "world\twq:ld\ts1.mp3\t500\t900\r\n"
              "table\tteIbl\ts1.mp3\t900\t1400\r\n"
              "b\tbi:\ts2.mp3\t0\t300\r\n"
              "a\tei\ts2.mp3\t300\t600\r\n"
              "7\t'sevn\ts2.mp3\t600\t900\r\n"
              "dont\tdount\ts2.mp3\t900\t1200\r\n"
              "verbs\tvq:bz\ts3.mp3\t0\t400\r\n"
              "здесь\tzdes\ts3.mp3\t400\t800\r\n"));
    return i;
  }();
  return index;
}

PickHandlers RecordingHandlers(PickRecord& record) {
  PickHandlers h;
  h.play = [&record](int entry) { record.played.push_back(entry); };
  h.setEntry = [&record](const std::string& key) { record.entries.push_back(key); };
  h.lookUp = [&record] { ++record.lookUps; };
  h.dictionaryActive = [] { return false; };
  return h;
}

}  // namespace lx::test
