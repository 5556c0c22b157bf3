// ".acp" project files: any bytes load or stop with the loader's error, what was
// read stays consistent, and a project that loaded whole saves and loads the same.
#include "app/core/errors.h"
#include "fuzz_check.h"
#include "reader/project.h"

namespace {

const std::string kFolder = "/home/user/books";

bool Parse(std::string_view bytes, lx::ReaderProject& p) {
  try {
    lx::ParseProject(bytes, kFolder, p, [](const std::string&) { return false; });
    return true;
  } catch (const lx::ConvertError&) {
  } catch (const lx::ProjectFormatError&) {
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  lx::ReaderProject p;
  const bool whole = Parse(bytes, p);
  FUZZ_CHECK(p.entries.size() <= lx::ReaderProject::kMaxEntries);
  FUZZ_CHECK(p.currentEntry == (p.entries.empty() ? 0 : 1));
  for (const lx::AudioEntry& e : p.entries) FUZZ_CHECK(e.points.size() <= lx::ReaderProject::kMaxPoints);
  if (p.current()) {
    lx::TextToAudio(*p.current(), 0);
    lx::TextToAudio(*p.current(), INT32_MAX);
    lx::TextToAudio(*p.current(), INT32_MIN);
  }
  if (!whole) return 0;
  lx::ReaderProject q;
  FUZZ_CHECK(Parse(lx::FormatProject(p, kFolder), q));
  FUZZ_CHECK(q.rangeWidth == p.rangeWidth && q.englishBookmark == p.englishBookmark &&
             q.russianBookmark == p.russianBookmark);
  FUZZ_CHECK(q.entries.size() == p.entries.size() && q.currentEntry == p.currentEntry);
  // Byte 0x98, unassigned in Windows-1251, reads as U+FFFD and is written back as '?'.
  const bool exactPaths = bytes.find('\x98') == std::string_view::npos;
  if (exactPaths) FUZZ_CHECK(q.englishPath == p.englishPath && q.russianPath == p.russianPath);
  for (size_t i = 0; i < p.entries.size(); ++i) {
    FUZZ_CHECK(q.entries[i].points == p.entries[i].points);
    if (exactPaths) FUZZ_CHECK(q.entries[i].path == p.entries[i].path && q.entries[i].name == p.entries[i].name);
  }
  return 0;
}
