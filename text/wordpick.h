#pragma once
// Word picking in the read-only text panes: which word a click landed on, and
// what a click on it means (a transcription to sound, a key to look up, a lone
// letter to pronounce). Plain C++ over Windows-1251 line text.
#include <string>
#include <string_view>

#include "app/core/soundindex.h"

namespace lx {

// The characters a word is made of. Standard: lessons 1-5 and the practice panes;
// Latin: lesson 6; Dictionary: the dictionary's article pane (standard plus '_');
// Reader: lesson 7's panes (standard without the hyphen).
enum class WordChars { Standard, Latin, Dictionary, Reader };

bool IsWordChar(unsigned char c, WordChars set);

// The word a click at `column` (characters before the caret on its line) picked.
struct PickedWord {
  std::string word;         // folded to lower case unless bracketed; empty: nothing picked
  bool bracketed = false;   // enclosed by "[" and "]": a transcription
  bool empty() const { return word.empty(); }
};

PickedWord PickWordAt(std::string_view line, int column, WordChars set);

// What a picked word asks for, resolved against the sound index.
struct PickAction {
  int soundEntry = 0;        // entry to play directly (0: none)
  bool lookUp = false;       // put `key` into the dictionary and look it up
  std::string key;           // the word without ':' and '\''
  int keyEntry = 0;          // first sound entry whose word is `key` (0: none)
};

// A transcription plays its entry and nothing else; any other word is looked up,
// and a single character other than "a" or a digit is also played directly.
PickAction ResolvePick(const PickedWord& picked, const SoundIndex& index);

// The key of a word: every ':' and '\'' removed.
std::string LookupKeyOf(std::string_view word);

}  // namespace lx
