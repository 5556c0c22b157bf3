#pragma once
// Small button pictures drawn in code. The set-up's picture tool draws the inline
// pictures that stand for buttons in the lesson texts with the same code and palette.
#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace lx {

// The palette of the course's pictures.
namespace palette {
inline const QColor kInk(0x20, 0x30, 0x60);
inline const QColor kBlue(0x20, 0x60, 0xC0);
inline const QColor kRed(0xC0, 0x20, 0x30);
inline const QColor kGreen(0x30, 0x80, 0x40);
inline const QColor kPaper(0xFF, 0xFF, 0xF4);
}  // namespace palette

enum class Icon {
  SoundOff,   // the main window's image list, picture 0
  SoundOn,    // picture 1
  Translate,  // the dictionary's translate button
  AddToList,  // the dictionary's add-to-list button
  // The lesson windows' buttons; Help and Exercises match the inline pictures
  // that stand for those buttons in the lesson texts.
  Help,
  Dictionary,
  Settings,
  Close,
  Exercises,
  Topic,
  Lesson,
  // Lesson 2's combination buttons: two letters read as one sound.
  ConsonantPair,
  RPair,
  VowelPair,
  OtherPair,
  Alphabet,   // lesson 1's alphabet button; matches the inline picture "a"
};

// A square picture of `size` pixels.
QPixmap DrawIcon(Icon icon, int size = 22);
// Paints the icon into the square of `size` pixels at the painter's origin.
void PaintIcon(QPainter& painter, Icon icon, qreal size);

}  // namespace lx
