#include "styletables.h"

#include "text/picturetable.h"

namespace lx {
namespace {

const QString kPhonetic = QStringLiteral("PhoneticTM");

StyleRule Rule(int increment, int slot, uint32_t colour, QString face = {}) {
  return StyleRule{true, false, increment, slot, colour, std::move(face)};
}

// Lessons 3 to 5: headings 2, transcriptions 5, body text 3.
StyleTable Reference() {
  StyleTable t;
  t.codes[1] = Rule(0, 6, 0x0040FF);
  t.codes[2] = Rule(1, 7, 0xC80020);
  t.codes[3] = Rule(0, 4, 0x200040);
  t.codes[4] = Rule(0, 8, 0x8020C8);
  t.codes[5] = Rule(1, 5, 0xFF0000, kPhonetic);
  t.codes[6] = Rule(0, 9, 0x408000);
  t.codes[7] = Rule(0, 10, 0xC83280);
  t.alignColumns = true;
  return t;
}

StyleTable AllAtBase() {
  StyleTable t = Reference();
  for (StyleRule& r : t.codes) r.size = 0;
  return t;
}

StyleTable Lesson1() {
  StyleTable t = Reference();
  t.codes[2].size = 1;
  t.codes[5].size = 2;
  return t;
}

// Lesson 2 writes transcriptions in code 2 and headings in code 5.
StyleTable Lesson2() {
  StyleTable t = Reference();
  t.codes[2] = Rule(2, 5, 0xFF0000, kPhonetic);
  t.codes[5] = Rule(1, 7, 0xC80020);
  t.codes[8] = Rule(0, 0, 0x800040);
  return t;
}

StyleTable Dictionary() {
  static constexpr int kSize[10] = {10, 12, 10, 10, 10, 10, 10, 10, 10, 10};
  static constexpr uint32_t kColour[10] = {0x000000, 0xFF0000, 0xF000F0, 0x0000FF, 0x7F0FFF,
                                           0x008080, 0x009F80, 0x800000, 0x008000, 0x000080};
  StyleTable t;
  for (size_t i = 0; i < 10; ++i) t.codes[i] = StyleRule{true, true, kSize[i], 0, kColour[i], {}};
  // Class sy holds the transcriptions inside articles (weak forms, other homonyms):
  // stored in the phonetic font's codes, they read right only in that font.
  t.codes[9].face = "PhoneticTM";
  return t;
}

}  // namespace

namespace styles {
const StyleTable& lesson1() { static const StyleTable t = Lesson1(); return t; }
const StyleTable& lesson2() { static const StyleTable t = Lesson2(); return t; }
const StyleTable& lesson3() { static const StyleTable t = Reference(); return t; }
const StyleTable& lesson4() { return lesson3(); }
const StyleTable& lesson5() { return lesson3(); }
const StyleTable& lesson6() { static const StyleTable t = AllAtBase(); return t; }
const StyleTable& practice3() { return lesson6(); }
const StyleTable& practice4() { return lesson6(); }
const StyleTable& practice5() { return lesson6(); }
const StyleTable& dictionary() { static const StyleTable t = Dictionary(); return t; }
}  // namespace styles

// Picture positions: h01 is 64, h02 65, ... h17 80.
namespace pictures {
namespace {
constexpr int H(int n) { return 63 + n; }
}  // namespace
const std::vector<PictureLetter>& lesson1() {
  static const std::vector<PictureLetter> v{{'?', H(1)}, {'s', H(2)}, {'o', H(3)}, {'n', H(4)},
                                            {'a', H(5)}, {'l', H(6)}, {'q', H(7)}, {'w', H(8)}};
  return v;
}
const std::vector<PictureLetter>& lesson2() {
  static const std::vector<PictureLetter> v{{'?', H(1)},  {'b', H(9)},  {'l', H(6)},  {'q', H(10)},
                                            {'w', H(11)}, {'e', H(12)}, {'r', H(13)}, {'t', H(14)}};
  return v;
}
const std::vector<PictureLetter>& lesson3() {
  static const std::vector<PictureLetter> v{{'?', H(1)}, {'l', H(6)}, {'q', H(15)}};
  return v;
}
const std::vector<PictureLetter>& lesson4() {
  static const std::vector<PictureLetter> v{{'?', H(1)}, {'l', H(6)}, {'r', H(17)}};
  return v;
}
const std::vector<PictureLetter>& lesson5() {
  static const std::vector<PictureLetter> v{{'?', H(1)}, {'l', H(6)}, {'o', H(16)}};
  return v;
}
}  // namespace pictures

PictureProvider PicturesOf(const PictureTable& table, const std::vector<PictureLetter>& letters) {
  return [&table, letters](QChar letter) -> const QImage* {
    for (const PictureLetter& p : letters)
      if (p.letter == letter) return &table.at(p.position);
    return nullptr;
  };
}

}  // namespace lx
