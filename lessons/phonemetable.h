#pragma once
// The 44 sounds of lesson 1, numbered 1 to 44: the phonetic code (letter codes of
// the PhoneticTM font, in brackets), the sound index entry of its recording, the
// articulation pictures shown before the sound and while it is heard (picture
// table positions: right = profile of the mouth, left = the lips from the front),
// and the pause between starting the sound and showing the second pair.
// Pure data: read by the lesson 1 window and by the Practice 1 drill.
#include <array>

namespace lx {

struct Phoneme {
  int number;          // 1..44; also the place in the sound grid
  const char* button;  // control name of its button in lesson 1
  const char* code;    // "[a:]"
  int entry;           // sound index entry (from 1)
  int beforeRight, beforeLeft, duringRight, duringLeft;  // picture table positions
  int pauseMs;

  // Grid place: ten buttons to a column.
  int column() const { return (number - 1) / 10; }
  int row() const { return (number - 1) % 10; }
};

class PhonemeTable {
 public:
  static constexpr int kCount = 44;
  static const std::array<Phoneme, kCount>& Rows();
  // Sound 1..44; nullptr outside.
  static const Phoneme* Number(int number);
};

}  // namespace lx
