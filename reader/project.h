#pragma once
// The lesson 7 reader project: texts, audio files with their control points, and the
// ".acp" project file. Paths in memory are absolute native paths (UTF-8, '/');
// the file holds them in Windows-1251 with '\' separators, relative to its folder.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lx {

struct ControlPoint {
  int32_t textPosition = 0;  // caret offset in the English text, CR LF counted as two
  int32_t audioMs = 0;
  std::string textLine;  // up to 70 characters before textPosition, line breaks as spaces
  bool operator==(const ControlPoint&) const = default;
};

struct AudioEntry {
  std::string path;
  std::string name;  // the file-name part of path
  bool available = false;
  std::vector<ControlPoint> points;
  bool operator==(const AudioEntry&) const = default;
};

// A project file that breaks the model's limits.
struct ProjectFormatError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ReaderProject {
  static constexpr size_t kMaxEntries = 100;
  static constexpr size_t kMaxPoints = 10000;
  static constexpr int32_t kDefaultRangeWidth = 10000;

  std::string englishPath;
  std::string russianPath;
  int32_t rangeWidth = kDefaultRangeWidth;
  int32_t englishBookmark = 0;
  int32_t russianBookmark = 0;
  std::vector<AudioEntry> entries;
  int32_t currentEntry = 0;  // 1-based; 0 when there are no entries

  AudioEntry* current();

  // Appends an entry and makes it current; false when the list is full.
  bool AddAudioEntry(const std::string& path, bool available = true);
  // Removes the current entry; the one before it (or the new first) becomes current.
  void RemoveCurrentEntry();
  // The current entry takes a new path and name and becomes available; points stay.
  void ChangeCurrentPath(const std::string& path);
  // Picks entry k (1-based); false when there is no such entry.
  bool SelectEntry(int32_t k);
  // Inserts a point into the current entry before the first point whose position is
  // not below p. Returns its 1-based row, or 0 when there is no current entry or the
  // entry is full.
  int32_t InsertControlPoint(int32_t p, int32_t audioMs, std::string_view englishText);
  // Deletes point `row` (1-based) of the current entry; false when there is none.
  bool DeleteControlPoint(int32_t row);
};

// The 70 characters before offset p (fewer at the start), CR and LF as spaces.
std::string ControlPointLine(std::string_view text, int32_t p);

// Audio position for text position p, interpolated along the bracketing pair of
// points and extrapolated along the first or last pair; rounded half to even.
// An entry with one point gives its audio position, with none 0.
int32_t TextToAudio(const AudioEntry& entry, int32_t p);

// The seconds field of the range width: RangeWidth / 1000 rounded half to even.
std::string RangeSecondsText(int32_t rangeWidthMs);
// The field's change rule: the digits of the text, in order, as seconds; `current`
// when there are none. Values past the 32-bit range stop at its last whole second.
int32_t RangeWidthFromText(std::string_view text, int32_t current);

// The number at the start of a line (blanks, a sign, digits); the rest is ignored.
// Throws ConvertError when there is no number or it does not fit in 32 bits.
int32_t LeadingInt(std::string_view line);

// Paths between memory and file. `folder` is the project file's absolute folder.
std::string RelativeProjectPath(const std::string& path, const std::string& folder);
std::string ResolveProjectPath(std::string_view fileLine, const std::string& folder);

using CanOpenFn = std::function<bool(const std::string& path)>;
// Whether the file opens for reading.
bool FileCanBeOpened(const std::string& path);

// Reads project text into `project` field by field. On ConvertError or
// ProjectFormatError what was read stays, and CurrentEntry still matches the entries.
void ParseProject(std::string_view bytes, const std::string& folder, ReaderProject& project,
                  const CanOpenFn& canOpen = FileCanBeOpened);
std::string FormatProject(const ReaderProject& project, const std::string& folder);

// Throws FileError when the file cannot be read, then as ParseProject.
void LoadProject(const std::string& path, ReaderProject& project);
// Throws FileError when the file cannot be written; an existing file is replaced whole.
void SaveProject(const std::string& path, const ReaderProject& project);

// A project file name: ".acp" is appended unless the name already ends in it, in any case.
std::string WithAcpExtension(std::string_view name);

}  // namespace lx
