#pragma once
// Small button pictures drawn in code, in the palette of the course's inline pictures.
#include <QPixmap>

namespace lx {

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
};

// A square picture of `size` pixels.
QPixmap DrawIcon(Icon icon, int size = 22);

}  // namespace lx
