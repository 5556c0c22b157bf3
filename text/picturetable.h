#pragma once
// The course's 87 pictures, each a Windows bitmap "data\<stem>.m". A file that is
// missing or unreadable leaves a null image in its position. The pictures the lesson
// texts show inline are drawn on the panes' default colour, which is made
// transparent here, so they sit on whatever background the learner chose.
#include <QImage>
#include <array>

#include "app/core/datadir.h"

namespace lx {

class PictureTable {
 public:
  static constexpr int kCount = 87;
  // Positions of the inline pictures (h01 .. h17) and the colour they are drawn on.
  static constexpr int kFirstInline = 64, kLastInline = 80;
  static constexpr QRgb kDrawnOnRgb = 0xD8E6EB;

  // File stems by position; the same file may fill several positions.
  static const std::array<const char*, kCount>& Stems();

  // Loads every position; returns how many pictures were found.
  int Load(const DataDir& dir);
  // Position 0 to 86; a null image when missing (or out of range).
  const QImage& at(int position) const;

 private:
  std::array<QImage, kCount> images_;
};

}  // namespace lx
