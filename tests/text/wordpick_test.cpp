// Which word a click picks, and what the pick asks for, over the three character sets.
#include <gtest/gtest.h>

#include "app/core/cp1251.h"
#include "text/wordpick.h"

namespace lx {
namespace {

std::string Cp(std::string_view utf8) { return Utf8ToCp1251(utf8); }

TEST(WordPick, PicksTheWordAtTheCaret) {
  struct Case {
    const char* line;  // UTF-8
    int column;        // characters before the caret
    WordChars set;
    const char* word;  // "" for nothing picked
    bool bracketed;
  } cases[] = {
      {"Hello, world", 6, WordChars::Standard, "", false},      // the space after the comma
      {"Hello, world", 4, WordChars::Standard, "hello", false}, // on the o
      {"Hello, world", 5, WordChars::Standard, "hello", false}, // just behind the word
      {"a table here", 7, WordChars::Standard, "table", false},
      {"the word", 8, WordChars::Standard, "", false},          // past the end of the line
      {"the word", 0, WordChars::Standard, "the", false},
      {"say [sei] it", 6, WordChars::Standard, "sei", true},
      {"[Sei]", 1, WordChars::Standard, "Sei", true},            // a transcription keeps its case
      {"[sei", 2, WordChars::Standard, "sei", false},
      {"don't", 2, WordChars::Standard, "don't", false},
      {"well-known", 7, WordChars::Standard, "well-known", false},
      {"ice_cream", 1, WordChars::Standard, "ice", false},
      {"ice_cream", 1, WordChars::Dictionary, "ice_cream", false},
      {"Дом и house", 1, WordChars::Standard, "дом", false},
      {"Дом и house", 1, WordChars::Latin, "", false},           // lesson 6: Cyrillic is no word
      {"Ёлка", 0, WordChars::Standard, "ёлка", false},
      {"", 0, WordChars::Standard, "", false},
      {"x", -1, WordChars::Standard, "", false},
  };
  for (const Case& c : cases) {
    const PickedWord picked = PickWordAt(Cp(c.line), c.column, c.set);
    EXPECT_EQ(picked.word, Cp(c.word)) << c.line << " @" << c.column;
    EXPECT_EQ(picked.bracketed, c.bracketed) << c.line << " @" << c.column;
  }
}

TEST(WordPick, ResolvesTranscriptionsKeysAndLoneLetters) {
  SoundIndex index;
  for (const char* line : {"b\tbi:\tf.mp3\t1\t2", "dont\tdount\tf.mp3\t3\t4", "a\tei\tf.mp3\t5\t6",
                           "7\tseven\tf.mp3\t7\t8", "yes\tjes\tf.mp3\t9\t10", "b\tbi:\tg.mp3\t1\t2"})
    index.Append(ParseSoundLine(line));
  struct Case {
    const char* word;
    bool bracketed;
    bool lookUp;
    const char* key;
    int keyEntry;
    int soundEntry;
  } cases[] = {
      {"jes", true, false, "", 0, 5},   // a transcription sounds, no lookup
      {"Jes", true, false, "", 0, 0},   // matched exactly, without folding
      {"b", false, true, "b", 1, 1},    // a lone letter: looked up and pronounced (first entry)
      {"a", false, true, "a", 3, 0},    // "a" and digits: looked up only
      {"7", false, true, "7", 4, 0},
      {"don't", false, true, "dont", 2, 0},
      {"yes:", false, true, "yes", 5, 0},
      {"q", false, true, "q", 0, 0},    // a letter without a recording
      {"", false, false, "", 0, 0},
  };
  for (const Case& c : cases) {
    const PickAction a = ResolvePick({c.word, c.bracketed}, index);
    EXPECT_EQ(a.lookUp, c.lookUp) << c.word;
    EXPECT_EQ(a.key, c.key) << c.word;
    EXPECT_EQ(a.keyEntry, c.keyEntry) << c.word;
    EXPECT_EQ(a.soundEntry, c.soundEntry) << c.word;
  }
}

}  // namespace
}  // namespace lx
