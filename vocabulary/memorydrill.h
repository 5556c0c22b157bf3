#pragma once
// The memorisation drill of lesson 6: a working set of the first words still to be
// learned, picked at random or in order, the answer block and marking words known.
// Plain C++: the window renders the fragments and plays the sounds it names.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/dicttables.h"
#include "app/core/soundindex.h"
#include "vocabulary/wordlist.h"

namespace lx {

// One piece of pane text in a style code; `lineEnd` closes the line after it.
// Words from the list travel as fragments, never as markup, so a "#" shows as typed.
struct PanePiece {
  std::string text;  // Windows-1251
  int code = 3;
  bool lineEnd = false;
};
using PanePieces = std::vector<PanePiece>;

// The memory size field: only its digits are kept; their value, 30 when there are
// none, held to the spin range 1..1000 so a long run of digits cannot overflow.
struct MemorySizeText {
  std::string digits;
  int value = 30;
};
MemorySizeText ParseMemorySize(std::string_view text);

// Draws a uniform integer 0 .. n - 1.
using DrawFn = std::function<int(int n)>;

class MemoryDrill {
 public:
  static constexpr int kDefaultMemorySize = 30;
  static constexpr int kMaxMemorySize = 1000;
  static constexpr size_t kMaxWorkingSet = 5000;

  struct WorkingWord {
    size_t position;  // in the list, from 1
    tspi entry;       // as copied at the rebuild
  };

  void SetMemorySize(int size) { memorySize_ = size; }
  int memorySize() const { return memorySize_; }

  // The next-word step: rebuild the working set from `list`, pick a word (random
  // or sequential) and make it the current word. False when the set is empty; the
  // current word is then empty.
  bool Next(const WordList& list, bool random, const DrawFn& draw);
  // Marks the newest pick known in `list`; its position, or nothing (also when the
  // entry at that position is no longer the word shown).
  std::optional<size_t> Known(WordList& list) const;

  const std::vector<WorkingWord>& workingSet() const { return workingSet_; }
  // Newest first; 0 where there is no pick yet.
  const std::array<int, 3>& recentPicks() const { return recent_; }
  const tspi& current() const { return current_; }

  // The block the next-word step writes: three empty lines, the word, an empty line.
  PanePieces WordBlock() const;

  // What the answer shows and plays.
  struct Answer {
    std::string key;        // what the dictionary looks up
    int soundEntry = 0;     // first sound index entry of the key, 0 for none
    bool speak = false;     // a one-letter word: pronounce it after the lookup
    PanePieces lines;        // everything after the word block
  };
  // `findHeadword` gives the first English record of an exact headword.
  Answer MakeAnswer(const WordList& list, const SoundIndex& sounds, const DictTable& dict,
                    const std::function<std::optional<int>(std::string_view)>& findHeadword) const;

 private:
  int Pick(int w, bool random, const DrawFn& draw) const;

  int memorySize_ = kDefaultMemorySize;
  std::vector<WorkingWord> workingSet_;
  std::array<int, 3> recent_{};
  tspi current_;
};

}  // namespace lx
