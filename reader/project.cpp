#include "reader/project.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "app/core/cp1251.h"
#include "app/core/errors.h"
#include "app/core/foldcase.h"
#include "app/core/textfile.h"
#include "reader/textcodec.h"

namespace lx {

namespace {

constexpr size_t kLineChars = 70;

int32_t RoundHalfEvenToInt(double v) {
  const double r = std::nearbyint(v);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A native path split into its root ("/", "C:" or "" for a relative path) and names.
struct PathParts {
  std::string root;
  std::vector<std::string> names;
};

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  size_t i = 0;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    parts.root = FoldUpper(path.substr(0, 2));
    i = 2;
  }
  if (i < path.size() && path[i] == '/') {
    if (parts.root.empty()) parts.root = "/";
    ++i;
  }
  while (i <= path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string_view::npos) j = path.size();
    if (j > i) parts.names.emplace_back(path.substr(i, j - i));
    i = j + 1;
  }
  return parts;
}

std::string JoinNames(const std::vector<std::string>& names, size_t from, char sep) {
  std::string out;
  for (size_t k = from; k < names.size(); ++k) {
    if (k > from) out += sep;
    out += names[k];
  }
  return out;
}

// Folder names on Linux are case-sensitive: only an exact match is the same folder.
bool SameName(const std::string& a, const std::string& b) { return a == b; }

// Whether every character of a UTF-8 path has a Windows-1251 byte.
bool FitsCp1251(const std::string& utf8) { return Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8; }

// Missing lines of a short file read as empty lines.
struct LineReader {
  const std::vector<std::string>& lines;
  size_t next = 0;
  bool atEnd() const { return next >= lines.size(); }
  std::string_view read() { return atEnd() ? std::string_view() : std::string_view(lines[next++]); }
};

}  // namespace

AudioEntry* ReaderProject::current() {
  if (currentEntry < 1 || static_cast<size_t>(currentEntry) > entries.size()) return nullptr;
  return &entries[static_cast<size_t>(currentEntry) - 1];
}

bool ReaderProject::AddAudioEntry(const std::string& path, bool available) {
  if (entries.size() >= kMaxEntries) return false;
  entries.push_back(AudioEntry{path, NameOf(path), available, {}});
  currentEntry = static_cast<int32_t>(entries.size());
  return true;
}

void ReaderProject::RemoveCurrentEntry() {
  if (!current()) return;
  entries.erase(entries.begin() + (currentEntry - 1));
  --currentEntry;
  if (currentEntry == 0 && !entries.empty()) currentEntry = 1;
}

void ReaderProject::ChangeCurrentPath(const std::string& path) {
  AudioEntry* e = current();
  if (!e) return;
  e->path = path;
  e->name = NameOf(path);
  e->available = true;
}

bool ReaderProject::SelectEntry(int32_t k) {
  if (k < 1 || static_cast<size_t>(k) > entries.size()) return false;
  currentEntry = k;
  return true;
}

int32_t ReaderProject::InsertControlPoint(int32_t p, int32_t audioMs, std::string_view englishText) {
  AudioEntry* e = current();
  if (!e || e->points.size() >= kMaxPoints) return 0;
  const auto at = std::find_if(e->points.begin(), e->points.end(),
                               [p](const ControlPoint& cp) { return cp.textPosition >= p; });
  const auto inserted = e->points.insert(at, ControlPoint{p, audioMs, ControlPointLine(englishText, p)});
  return static_cast<int32_t>(inserted - e->points.begin()) + 1;
}

bool ReaderProject::DeleteControlPoint(int32_t row) {
  AudioEntry* e = current();
  if (!e || row < 1 || static_cast<size_t>(row) > e->points.size()) return false;
  e->points.erase(e->points.begin() + (row - 1));
  return true;
}

std::string ControlPointLine(std::string_view text, int32_t p) {
  const size_t end = p <= 0 ? 0 : std::min(static_cast<size_t>(p), text.size());
  const size_t start = end > kLineChars ? end - kLineChars : 0;
  std::string line(text.substr(start, end - start));
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

int32_t TextToAudio(const AudioEntry& entry, int32_t p) {
  const auto& pt = entry.points;
  const size_t n = pt.size();
  if (n == 0) return 0;
  if (n == 1) return pt[0].audioMs;
  size_t i = 0;  // 0-based index of the first point at or after p; n when none
  while (i < n && pt[i].textPosition < p) ++i;
  size_t lo, hi;
  if (i == n) {
    lo = n - 2, hi = n - 1;
  } else if (i == 0) {
    lo = 0, hi = 1;
  } else {
    lo = i - 1, hi = i;
  }
  if (pt[hi].textPosition == pt[lo].textPosition) return pt[lo].audioMs;
  const double slope = (static_cast<double>(pt[hi].audioMs) - pt[lo].audioMs) /
                       (static_cast<double>(pt[hi].textPosition) - pt[lo].textPosition);
  return RoundHalfEvenToInt(slope * (static_cast<double>(p) - pt[lo].textPosition) + pt[lo].audioMs);
}

std::string RangeSecondsText(int32_t rangeWidthMs) {
  return std::to_string(RoundHalfEvenToInt(rangeWidthMs / 1000.0));
}

int32_t RangeWidthFromText(std::string_view text, int32_t current) {
  constexpr int64_t kMaxSeconds = std::numeric_limits<int32_t>::max() / 1000;
  bool any = false;
  int64_t seconds = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    any = true;
    seconds = std::min<int64_t>(seconds * 10 + (c - '0'), kMaxSeconds);
  }
  return any ? static_cast<int32_t>(seconds * 1000) : current;
}

int32_t LeadingInt(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  size_t end = i;
  if (end < line.size() && (line[end] == '-' || line[end] == '+')) ++end;
  const size_t digits = end;
  while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
  int32_t value = 0;
  if (end == digits || !TryStrToInt(line.substr(i, end - i), value)) {
    // The number as written, or the line when there is none, cut short.
    constexpr size_t kShown = 40;
    const std::string_view quoted = end == digits ? line : line.substr(i, end - i);
    std::string shown(quoted.substr(0, kShown));
    if (quoted.size() > kShown) shown += "...";
    throw ConvertError("'" + shown + "' is not a valid integer value");
  }
  return value;
}

std::string RelativeProjectPath(const std::string& path, const std::string& folder) {
  if (path.empty()) return {};
  const PathParts target = SplitPath(path);
  const PathParts base = SplitPath(folder);
  std::string out;
  if (target.root.empty() || target.root != base.root || base.root.empty()) {
    out = path;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
  }
  // Only folders of the target are shared, never its file name.
  size_t shared = 0;
  while (shared < base.names.size() && shared + 1 < target.names.size() &&
         SameName(base.names[shared], target.names[shared]))
    ++shared;
  for (size_t k = shared; k < base.names.size(); ++k) out += "..\\";
  out += JoinNames(target.names, shared, '\\');
  return out;
}

std::string ResolveProjectPath(std::string_view fileLine, const std::string& folder) {
  if (fileLine.empty()) return {};
  std::string text(fileLine);
  std::replace(text.begin(), text.end(), '\\', '/');
  PathParts line = SplitPath(text);
  PathParts out = line.root.empty() ? SplitPath(folder) : PathParts{line.root, {}};
  if (out.root.empty()) out.root = "/";
  for (std::string& name : line.names) {
    if (name == ".") continue;
    if (name == "..") {
      if (!out.names.empty()) out.names.pop_back();
      continue;
    }
    out.names.push_back(std::move(name));
  }
  std::string result = out.root == "/" ? "/" : out.root + "/";
  return result + JoinNames(out.names, 0, '/');
}

bool FileCanBeOpened(const std::string& path) {
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return !std::filesystem::is_directory(path);
}

void ParseProject(std::string_view bytes, const std::string& folder, ReaderProject& project,
                  const CanOpenFn& canOpen) {
  // Windows-1251 unless the file is UTF-8 (a project whose paths need it is saved so).
  const bool utf8 = IsUtf8Text(bytes);
  std::vector<std::string> lines = SplitLines(utf8 ? WithoutUtf8Bom(bytes) : bytes);
  if (!utf8)
    for (std::string& line : lines) line = Cp1251ToUtf8(line);
  LineReader in{lines};
  project.englishPath = ResolveProjectPath(in.read(), folder);
  project.russianPath = ResolveProjectPath(in.read(), folder);
  project.entries.clear();
  project.currentEntry = 0;
  // Whatever stops the load, the current entry matches the entries read.
  struct CurrentFix {
    ReaderProject& p;
    ~CurrentFix() { p.currentEntry = p.entries.empty() ? 0 : 1; }
  } fix{project};

  const int32_t range = LeadingInt(in.read());
  project.rangeWidth = RangeWidthFromText(RangeSecondsText(range), range);
  project.englishBookmark = LeadingInt(in.read());
  project.russianBookmark = LeadingInt(in.read());

  while (!in.atEnd()) {
    const std::string_view line = in.read();
    if (line == "***") {
      if (project.entries.size() >= ReaderProject::kMaxEntries)
        throw ProjectFormatError("The project has more than 100 audio files");
      AudioEntry e;
      e.path = ResolveProjectPath(in.read(), folder);
      e.name = NameOf(e.path);
      e.available = canOpen(e.path);
      project.entries.push_back(std::move(e));
      continue;
    }
    ControlPoint cp;
    cp.textPosition = LeadingInt(line);
    cp.audioMs = LeadingInt(in.read());
    // Text lines are kept as the English text is, in Windows-1251.
    cp.textLine = Utf8ToCp1251(in.read());
    // A point before the first audio file belongs to none.
    if (project.entries.empty()) continue;
    AudioEntry& last = project.entries.back();
    if (last.points.size() >= ReaderProject::kMaxPoints)
      throw ProjectFormatError("An audio file of the project has more than 10000 control points");
    last.points.push_back(std::move(cp));
  }
}

std::string FormatProject(const ReaderProject& project, const std::string& folder) {
  // Windows-1251 keeps old readers of the file working; a path it cannot hold makes
  // the whole file UTF-8, so that no path comes back with '?' in it.
  bool fits = FitsCp1251(project.englishPath) && FitsCp1251(project.russianPath);
  for (const AudioEntry& e : project.entries) fits = fits && FitsCp1251(e.path);
  std::vector<std::string> lines;
  lines.push_back(RelativeProjectPath(project.englishPath, folder));
  lines.push_back(RelativeProjectPath(project.russianPath, folder));
  lines.push_back(std::to_string(project.rangeWidth));
  lines.push_back(std::to_string(project.englishBookmark));
  lines.push_back(std::to_string(project.russianBookmark));
  for (const AudioEntry& e : project.entries) {
    lines.push_back("***");
    lines.push_back(RelativeProjectPath(e.path, folder));
    for (const ControlPoint& cp : e.points) {
      lines.push_back(std::to_string(cp.textPosition));
      lines.push_back(std::to_string(cp.audioMs));
      lines.push_back(Cp1251ToUtf8(cp.textLine));
    }
  }
  std::string text = JoinLinesCrlf(lines);
  return fits ? Utf8ToCp1251(text) : text;
}

namespace {
std::string AbsoluteFolderOf(const std::string& path) {
  return std::filesystem::absolute(path).parent_path().lexically_normal().string();
}
}  // namespace

void LoadProject(const std::string& path, ReaderProject& project) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError("Cannot open file \"" + path + "\"");
  ParseProject(bytes, AbsoluteFolderOf(path), project);
}

void SaveProject(const std::string& path, const ReaderProject& project) {
  if (!WriteFileAtomic(path, FormatProject(project, AbsoluteFolderOf(path))))
    throw FileError("Cannot create file \"" + path + "\"");
}

std::string WithAcpExtension(std::string_view name) {
  std::string out(name);
  if (name.size() < 4 || FoldLower(name.substr(name.size() - 4)) != ".acp") out += ".acp";
  return out;
}

}  // namespace lx
