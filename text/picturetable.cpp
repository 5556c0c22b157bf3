#include "picturetable.h"

#include <QFile>
#include <map>
#include <string>

namespace lx {

const std::array<const char*, PictureTable::kCount>& PictureTable::Stems() {
  static const std::array<const char*, kCount> stems{
      "0",   "r1",  "r2",  "g1",  "g2",  "g3",  "g4",  "r1",  "r6",  "g5",  "g6",  "r7",  "r14",
      "g9",  "g10", "r1",  "r10", "g3",  "g12", "r1",  "r12", "r1",  "r14", "g13", "g14", "g15",
      "g15", "r15", "r1",  "g5",  "g5",  "r1",  "r18", "r15", "r1",  "g22", "r15", "r22", "r15",
      "r24", "r15", "r26", "r1",  "r28", "r29", "r30", "r15", "r32", "r1",  "r34", "g22", "r35",
      "r36", "r1",  "r38", "g40", "r1",  "r40", "g22", "r15", "r42", "g15", "r43", "r44", "h01",
      "h02", "h03", "h04", "h05", "h06", "h07", "h08", "h09", "h10", "h11", "h12", "h13", "h14",
      "h15", "h16", "h17", "t1",  "t2",  "t3",  "t4",  "t5",  "t6"};
  return stems;
}

namespace {

// The picture with every pixel of exactly `backgroundRgb` made transparent.
QImage ClearBackground(const QImage& picture, QRgb backgroundRgb) {
  if (picture.isNull()) return picture;
  QImage clear = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < clear.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(clear.scanLine(y));
    for (int x = 0; x < clear.width(); ++x)
      if ((line[x] & 0xFFFFFF) == backgroundRgb) line[x] = 0;
  }
  return clear;
}

}  // namespace

int PictureTable::Load(const DataDir& dir) {
  std::map<std::string, QImage> loaded;  // a file shared by several positions is read once
  int found = 0;
  for (int i = 0; i < kCount; ++i) {
    const std::string stem = Stems()[static_cast<size_t>(i)];
    auto it = loaded.find(stem);
    if (it == loaded.end()) {
      const QString path = QString::fromStdString(dir.Path("data\\" + stem + ".m"));
      QImage image;
      if (QFile::exists(path)) image.load(path, "BMP");
      if (i >= kFirstInline && i <= kLastInline) image = ClearBackground(image, kDrawnOnRgb);
      it = loaded.emplace(stem, image).first;
    }
    images_[static_cast<size_t>(i)] = it->second;
    if (!it->second.isNull()) ++found;
  }
  return found;
}

const QImage& PictureTable::at(int position) const {
  static const QImage none;
  if (position < 0 || position >= kCount) return none;
  return images_[static_cast<size_t>(position)];
}

}  // namespace lx
