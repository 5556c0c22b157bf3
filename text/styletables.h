#pragma once
// The style table and picture letters of every window that renders course texts.
#include <QChar>
#include <vector>

#include "text/renderer.h"

namespace lx {

class PictureTable;

namespace styles {

// Lessons 3, 4 and 5: the reference table.
const StyleTable& lesson3();
const StyleTable& lesson4();
const StyleTable& lesson5();
// Lesson 1: code 2 at base + 1, code 5 (phonetic) at base + 2.
const StyleTable& lesson1();
// Lesson 2: code 2 is the phonetic style, code 5 the heading colour, code 8 fixed.
const StyleTable& lesson2();
// Lesson 6 and Practice 3, 4, 5: the reference colours and faces, every code at base size.
const StyleTable& lesson6();
const StyleTable& practice3();
const StyleTable& practice4();
const StyleTable& practice5();
// The dictionary: fixed sizes and colours, no settings slots.
const StyleTable& dictionary();

}  // namespace styles

// A picture letter of a window and its position in the picture table.
struct PictureLetter {
  QChar letter;
  int position;
};

namespace pictures {
const std::vector<PictureLetter>& lesson1();
const std::vector<PictureLetter>& lesson2();
const std::vector<PictureLetter>& lesson3();
const std::vector<PictureLetter>& lesson4();
const std::vector<PictureLetter>& lesson5();
}  // namespace pictures

// A provider that looks the window's letters up in `table` (which must outlive it).
PictureProvider PicturesOf(const PictureTable& table, const std::vector<PictureLetter>& letters);

}  // namespace lx
