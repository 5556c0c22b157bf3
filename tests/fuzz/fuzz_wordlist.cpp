// Word list files: any bytes read into at most the capacity, and what a save
// writes reads back to the same list.
#include "fuzz_check.h"
#include "vocabulary/wordlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  lx::ParseWordLine(bytes);
  lx::WordList list;
  lx::AppendWordLines(bytes, list);
  FUZZ_CHECK(list.count() <= lx::WordList::kCapacity);
  const std::string saved = lx::FormatWordList(list);
  lx::WordList again;
  FUZZ_CHECK(lx::AppendWordLines(saved, again) == 0);
  FUZZ_CHECK(again.count() == list.count());
  FUZZ_CHECK(lx::FormatWordList(again) == saved);
  for (size_t k = 1; k <= list.count(); ++k) {
    const lx::tspi& a = list.at(k);
    const lx::tspi& b = again.at(k);
    FUZZ_CHECK(a.word == b.word && a.pos == b.pos && a.translation == b.translation);
    FUZZ_CHECK((a.mark == 'z') == (b.mark == 'z'));
  }
  return 0;
}
