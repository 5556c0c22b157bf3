// Draws the pictures of the download page beside it (set-up step 45):
// DIR/html/image/ban3.jpg, b1.jpg .. b5.jpg, but.jpg, bg.gif and DIR/html/favicon.ico.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "text/icons.h"

namespace {

using namespace lx::palette;

QFont Face(const char* family, int pixels, bool bold) {
  QFont f(family);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QImage Canvas(int w, int h, const QColor& fill) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

// The banner at the top left of the page: the course's name over an open book
// with a pair of headphones, the three things lesson 7 brings together.
QImage Banner() {
  QImage img = Canvas(220, 215, Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 215);
  sky.setColorAt(0, QColor(0x3A, 0x5F, 0x8F));
  sky.setColorAt(1, QColor(0x9F, 0xC2, 0xE0));
  p.fillRect(img.rect(), sky);
  p.setFont(Face("DejaVu Serif", 34, true));
  p.setPen(QColor(0xFF, 0xF4, 0xE0));
  p.drawText(QRect(0, 8, 220, 48), Qt::AlignCenter, "Lexitar");
  p.setFont(Face("DejaVu Sans", 12, false));
  p.drawText(QRect(0, 52, 220, 20), Qt::AlignCenter, QString::fromUtf8("книга · перевод · звук"));
  // The open book.
  p.setPen(QPen(kInk, 2));
  p.setBrush(kPaper);
  QPainterPath left, right;
  left.moveTo(110, 112);
  left.cubicTo(85, 100, 50, 100, 28, 108);
  left.lineTo(28, 185);
  left.cubicTo(50, 177, 85, 177, 110, 190);
  left.closeSubpath();
  right.moveTo(110, 112);
  right.cubicTo(135, 100, 170, 100, 192, 108);
  right.lineTo(192, 185);
  right.cubicTo(170, 177, 135, 177, 110, 190);
  right.closeSubpath();
  p.drawPath(left);
  p.drawPath(right);
  p.setPen(QPen(QColor(0x90, 0x98, 0xB0), 1.5));
  for (int i = 0; i < 5; ++i) {
    const double y = 122 + i * 12;
    p.drawLine(QPointF(38, y), QPointF(100, y + 3));
    p.drawLine(QPointF(120, y + 3), QPointF(182, y));
  }
  // Headphones over the book.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kRed, 6, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(60, 66, 100, 90), 20 * 16, 140 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRoundedRect(QRectF(58, 100, 16, 28), 6, 6);
  p.drawRoundedRect(QRectF(146, 100, 16, 28), 6, 6);
  return img;
}

// A book cover of 90 x 120: a coloured board, the title and an emblem of the story.
QImage Cover(const QColor& board, const QString& title, const std::function<void(QPainter&)>& emblem) {
  QImage img = Canvas(90, 120, Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(board.darker(160), 2));
  p.setBrush(board);
  p.drawRoundedRect(QRectF(2, 2, 86, 116), 4, 4);
  p.fillRect(QRectF(2, 2, 8, 116), board.darker(130));
  p.setPen(QColor(0xFF, 0xF4, 0xE0));
  p.setFont(Face("DejaVu Serif", 10, true));
  p.drawText(QRectF(12, 8, 72, 44), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);
  p.translate(12, 56);
  emblem(p);
  return img;
}

void Boat(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x9F, 0xC2, 0xE0));
  p.drawRect(QRectF(0, 40, 70, 16));
  p.setBrush(QColor(0x8B, 0x5A, 0x2B));
  QPainterPath hull;
  hull.moveTo(6, 34);
  hull.lineTo(64, 34);
  hull.lineTo(54, 46);
  hull.lineTo(16, 46);
  hull.closeSubpath();
  p.drawPath(hull);
  p.setBrush(kPaper);
  for (int i = 0; i < 3; ++i) p.drawEllipse(QRectF(16 + i * 14, 22, 10, 10));
}

void Fence(QPainter& p) {
  p.setPen(QPen(QColor(0x6B, 0x4A, 0x2B), 1));
  p.setBrush(kPaper);
  for (int i = 0; i < 6; ++i) {
    QPainterPath board;
    board.moveTo(4 + i * 11, 52);
    board.lineTo(4 + i * 11, 14);
    board.lineTo(9 + i * 11, 8);
    board.lineTo(14 + i * 11, 14);
    board.lineTo(14 + i * 11, 52);
    board.closeSubpath();
    p.drawPath(board);
  }
  p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(50, 48), QPointF(62, 20));  // the brush
}

void Hound(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF0, 0xE6, 0x8C));
  p.drawEllipse(QRectF(44, 2, 20, 20));  // the moon
  p.setBrush(QColor(0x20, 0x20, 0x28));
  QPainterPath dog;
  dog.moveTo(6, 52);
  dog.lineTo(10, 30);
  dog.lineTo(40, 28);
  dog.lineTo(50, 16);
  dog.lineTo(56, 20);
  dog.lineTo(62, 24);
  dog.lineTo(54, 30);
  dog.lineTo(52, 52);
  dog.lineTo(46, 52);
  dog.lineTo(44, 38);
  dog.lineTo(18, 38);
  dog.lineTo(14, 52);
  dog.closeSubpath();
  p.drawPath(dog);
}

void Island(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x9F, 0xC2, 0xE0));
  p.drawRect(QRectF(0, 42, 70, 14));
  p.setBrush(QColor(0xE8, 0xD0, 0x90));
  p.drawEllipse(QRectF(10, 36, 50, 14));
  p.setPen(QPen(QColor(0x6B, 0x4A, 0x2B), 3));
  p.drawLine(QPointF(35, 42), QPointF(38, 14));
  p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
  for (int dx : {-14, -7, 7, 14}) p.drawLine(QPointF(38, 14), QPointF(38 + dx, 14 + std::abs(dx) / 2 + 4));
  p.setPen(QPen(kRed, 2));
  p.drawLine(QPointF(16, 44), QPointF(22, 50));  // X marks the spot
  p.drawLine(QPointF(22, 44), QPointF(16, 50));
}

void Prince(QPainter& p) {
  p.setPen(QPen(QColor(0xB0, 0x90, 0x30), 1));
  p.setBrush(QColor(0xE8, 0xC0, 0x40));
  p.drawRect(QRectF(22, 44, 26, 8));  // the column
  p.drawEllipse(QRectF(28, 10, 14, 14));
  p.drawRect(QRectF(27, 24, 16, 20));
  QPainterPath crown;
  crown.moveTo(27, 12);
  crown.lineTo(29, 4);
  crown.lineTo(32, 9);
  crown.lineTo(35, 2);
  crown.lineTo(38, 9);
  crown.lineTo(41, 4);
  crown.lineTo(43, 12);
  crown.closeSubpath();
  p.drawPath(crown);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x50, 0x50, 0x60));
  p.drawEllipse(QRectF(50, 22, 12, 8));  // the swallow
  p.drawRect(QRectF(58, 24, 8, 3));
}

// The footer bar under the page: the two halves are the two mail links.
QImage Footer() {
  QImage img = Canvas(660, 27, Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bar(0, 0, 0, 27);
  bar.setColorAt(0, QColor(0x7F, 0xA6, 0xC9));
  bar.setColorAt(1, QColor(0x3A, 0x5F, 0x8F));
  p.fillRect(img.rect(), bar);
  p.setPen(QColor(0xFF, 0xF4, 0xE0));
  p.setFont(Face("DejaVu Sans", 12, true));
  p.drawText(QRect(0, 0, 330, 27), Qt::AlignCenter, QString::fromUtf8("✉ Написать нам"));
  p.drawText(QRect(330, 0, 330, 27), Qt::AlignCenter, QString::fromUtf8("✉ Служба поддержки"));
  p.setPen(QColor(0xFF, 0xF4, 0xE0, 120));
  p.drawLine(330, 5, 330, 22);
  return img;
}

// The page background: a light blue tile with a faint diagonal weave.
QImage BackgroundTile() {
  QImage img(16, 16, QImage::Format_Indexed8);
  img.setColorTable({qRgb(0xDF, 0xEF, 0xFF), qRgb(0xD3, 0xE6, 0xFA)});
  img.fill(0);
  for (int i = 0; i < 16; ++i) {
    img.setPixel(i, i, 1);
    img.setPixel(15 - i, i, 1);
  }
  return img;
}

QImage Favicon() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x3A, 0x5F, 0x8F));
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
  p.setPen(QColor(0xFF, 0xF4, 0xE0));
  p.setFont(Face("DejaVu Serif", 24, true));
  p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, "L");
  return img;
}

// GIF89a of an 8-bit indexed image. The pixels are stored as plain 9-bit codes with
// a clear code before the code table would widen, which every reader accepts.
QByteArray Gif(const QImage& img) {
  QByteArray out("GIF89a");
  auto word = [&](int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
  };
  word(img.width());
  word(img.height());
  out.append(static_cast<char>(0xF7));  // global table of 256 colours
  out.append('\0');
  out.append('\0');
  const QList<QRgb> colours = img.colorTable();
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < colours.size() ? colours[i] : 0;
    out.append(static_cast<char>(qRed(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qBlue(c)));
  }
  out.append(',');
  word(0);
  word(0);
  word(img.width());
  word(img.height());
  out.append('\0');
  out.append(static_cast<char>(8));  // minimum code size
  QByteArray codes;
  uint32_t bits = 0;
  int nbits = 0;
  auto put = [&](int code) {
    bits |= static_cast<uint32_t>(code) << nbits;
    nbits += 9;
    while (nbits >= 8) {
      codes.append(static_cast<char>(bits & 0xFF));
      bits >>= 8;
      nbits -= 8;
    }
  };
  constexpr int kClear = 256, kEnd = 257;
  int sinceClear = 0;
  put(kClear);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (sinceClear == 250) {
        put(kClear);
        sinceClear = 0;
      }
      put(img.pixelIndex(x, y));
      ++sinceClear;
    }
  put(kEnd);
  if (nbits > 0) codes.append(static_cast<char>(bits & 0xFF));
  for (qsizetype at = 0; at < codes.size(); at += 255) {
    const QByteArray block = codes.mid(at, 255);
    out.append(static_cast<char>(block.size()));
    out.append(block);
  }
  out.append('\0');
  out.append(';');
  return out;
}

bool Save(const QString& path, const QImage& img, const char* format) {
  if (img.save(path, format, 90)) return true;
  std::fprintf(stderr, "drawpagepictures: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: drawpagepictures DATA_DIR\n");
    return 2;
  }
  const QString html = QString::fromLocal8Bit(argv[1]) + "/html";
  QDir().mkpath(html + "/image");
  bool ok = Save(html + "/image/ban3.jpg", Banner(), "JPG");
  const QColor boards[] = {QColor(0x2E, 0x5E, 0x8E), QColor(0x8E, 0x3E, 0x2E), QColor(0x3A, 0x3A, 0x4A),
                           QColor(0x2E, 0x6E, 0x4E), QColor(0x7A, 0x5A, 0x9A)};
  const char* titles[] = {"Three Men in a Boat", "Tom Sawyer", "The Hound of the Baskervilles", "Treasure Island",
                          "The Happy Prince"};
  const std::function<void(QPainter&)> emblems[] = {Boat, Fence, Hound, Island, Prince};
  for (int i = 0; i < 5; ++i)
    ok = Save(html + QString("/image/b%1.jpg").arg(i + 1), Cover(boards[i], titles[i], emblems[i]), "JPG") && ok;
  ok = Save(html + "/image/but.jpg", Footer(), "JPG") && ok;
  QFile gif(html + "/image/bg.gif");
  ok = gif.open(QIODevice::WriteOnly) && gif.write(Gif(BackgroundTile())) > 0 && ok;
  ok = Save(html + "/favicon.ico", Favicon(), "ICO") && ok;
  return ok ? 0 : 1;
}
