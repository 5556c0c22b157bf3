#pragma once
// Reading and writing the course's text files: Windows-1251 bytes, CR LF line ends.
#include <string>
#include <string_view>
#include <vector>

namespace lx {

// Whole file into `out`; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& out);

// The start of a file up to and including its first `maxLines` line ends (the whole
// file when it has fewer); false when it cannot be opened or read. A long file is
// read no further than that.
bool ReadFirstLines(const std::string& path, size_t maxLines, std::string& out);

// Lines ended by CR LF or a lone LF; a last line without an end is kept; an end of
// file right after a line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Calls fn(line) for each line as SplitLines would split it, without copying.
template <typename Fn>
void ForEachLine(std::string_view bytes, Fn&& fn) {
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) {
      fn(bytes.substr(start));
      return;
    }
    size_t end = lf;
    if (end > start && bytes[end - 1] == '\r') --end;
    fn(bytes.substr(start, end - start));
    start = lf + 1;
  }
}

// Fields separated by `separator`; always at least one field.
std::vector<std::string> SplitFields(std::string_view line, char separator = '\t');

// Each line followed by CR LF.
std::string JoinLinesCrlf(const std::vector<std::string>& lines);

// Writes a sibling temporary file of a unique name, flushes it, gives it the old
// file's mode and renames it over `path` (the target of a symbolic link), then syncs
// the folder, so the old file survives any failure and the new one survives a crash.
// Returns false (and leaves the old file) on failure.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

}  // namespace lx
