#include "text/icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace lx {
namespace {

using namespace palette;

// A loudspeaker on the left third; waves when on, a red cross when off.
void Speaker(QPainter& p, bool on) {
  QPainterPath body;
  body.moveTo(2, 8);
  body.lineTo(6, 8);
  body.lineTo(11, 3);
  body.lineTo(11, 19);
  body.lineTo(6, 14);
  body.lineTo(2, 14);
  body.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(on ? kBlue : QColor(0x90, 0x98, 0xA8));
  p.drawPath(body);
  p.setBrush(Qt::NoBrush);
  if (on) {
    p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(8, 6, 8, 10), -50 * 16, 100 * 16);
    p.drawArc(QRectF(8, 2, 12, 18), -50 * 16, 100 * 16);
  } else {
    p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 7), QPointF(20, 15));
    p.drawLine(QPointF(20, 7), QPointF(14, 15));
  }
}

// A magnifying glass.
void Magnifier(QPainter& p) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(0xFF, 0xFF, 0xF4));
  p.drawEllipse(QRectF(3, 3, 11, 11));
  p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(13, 13), QPointF(19, 19));
}

// A page with a green plus.
void AddPage(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(0xFF, 0xFF, 0xF4));
  p.drawRect(QRectF(3, 2, 11, 15));
  p.setPen(QPen(kInk, 0.8));
  for (int y = 6; y <= 14; y += 3) p.drawLine(QPointF(5, y), QPointF(12, y));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(10, 10, 11, 11));
  p.setPen(QPen(Qt::white, 2));
  p.drawLine(QPointF(15.5, 12.5), QPointF(15.5, 18.5));
  p.drawLine(QPointF(12.5, 15.5), QPointF(18.5, 15.5));
}

void Letter(QPainter& p, const QRectF& r, const QString& text, qreal pixels, const QColor& colour) {
  QFont f("DejaVu Sans");
  f.setPixelSize(static_cast<int>(pixels));
  f.setBold(true);
  p.setFont(f);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
}

// A blue disc with a white question mark.
void HelpMark(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(1, 1, 20, 20));
  Letter(p, QRectF(1, 1, 20, 20), "?", 15, Qt::white);
}

// A closed book with "A" on its page edge.
void DictionaryBook(QPainter& p) {
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(QColor(0xA0, 0x40, 0x30));
  p.drawRect(QRectF(4, 1.5, 14, 19));
  p.setBrush(kPaper);
  p.drawRect(QRectF(6.5, 3.5, 9.5, 15));
  Letter(p, QRectF(6.5, 3.5, 9.5, 15), "A", 9, kBlue);
}

// A painter's palette: the settings are colours and a text size.
void Palette(QPainter& p) {
  QPainterPath board;
  board.addEllipse(QRectF(1.5, 3, 19, 16));
  QPainterPath hole;
  hole.addEllipse(QRectF(12, 12, 4, 4));
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(QColor(0xE8, 0xC8, 0x90));
  p.drawPath(board.subtracted(hole));
  p.setPen(Qt::NoPen);
  const struct {
    qreal x, y;
    QColor colour;
  } dabs[] = {{6, 7, kRed}, {10.5, 5.5, kBlue}, {15, 7, kGreen}, {5.5, 12, QColor(0xF0, 0xB0, 0x30)}};
  for (const auto& d : dabs) {
    p.setBrush(d.colour);
    p.drawEllipse(QPointF(d.x, d.y), 2, 2);
  }
}

// A door ajar with an arrow out of it.
void Door(QPainter& p) {
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(QColor(0xC8, 0xA0, 0x70));
  p.drawRect(QRectF(3, 2, 10, 18));
  p.setBrush(QColor(0x90, 0x60, 0x30));
  QPainterPath leaf;
  leaf.moveTo(3, 2);
  leaf.lineTo(9, 4);
  leaf.lineTo(9, 21);
  leaf.lineTo(3, 20);
  leaf.closeSubpath();
  p.drawPath(leaf);
  p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(12, 11), QPointF(20, 11));
  p.drawLine(QPointF(17, 8), QPointF(20, 11));
  p.drawLine(QPointF(17, 14), QPointF(20, 11));
}

// A ruled sheet with a pencil.
void Exercise(QPainter& p) {
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(2.5, 2, 13, 17.5));
  for (qreal y = 6.5; y <= 16; y += 3.5) p.drawLine(QPointF(5, y), QPointF(13, y));
  p.setBrush(QColor(0xF0, 0xB0, 0x30));
  QPainterPath pencil;
  pencil.moveTo(19.5, 3.5);
  pencil.lineTo(21.5, 5.5);
  pencil.lineTo(11, 16.5);
  pencil.lineTo(8.5, 17.5);
  pencil.lineTo(9.5, 15);
  pencil.closeSubpath();
  p.drawPath(pencil);
}

// An open page with a bookmark: one topic of a lesson.
void TopicPage(QPainter& p) {
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(3.5, 2, 14, 18), 1.5, 1.5);
  p.setPen(QPen(kBlue, 1));
  for (qreal y = 6.5; y <= 16.5; y += 3.3) p.drawLine(QPointF(6, y), QPointF(15, y));
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  QPainterPath mark;
  mark.moveTo(13, 1);
  mark.lineTo(17, 1);
  mark.lineTo(17, 8);
  mark.lineTo(15, 6);
  mark.lineTo(13, 8);
  mark.closeSubpath();
  p.drawPath(mark);
}

// An open book: the lesson's description.
void OpenBook(QPainter& p) {
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(kPaper);
  QPainterPath left, right;
  left.moveTo(11, 5);
  left.quadTo(6, 2.5, 1.5, 4);
  left.lineTo(1.5, 17.5);
  left.quadTo(6, 16, 11, 18.5);
  left.closeSubpath();
  right.moveTo(11, 5);
  right.quadTo(16, 2.5, 20.5, 4);
  right.lineTo(20.5, 17.5);
  right.quadTo(16, 16, 11, 18.5);
  right.closeSubpath();
  p.drawPath(left);
  p.drawPath(right);
  p.setPen(QPen(kBlue, 0.9));
  for (qreal y = 7.5; y <= 14.5; y += 3.5) {
    p.drawLine(QPointF(3.5, y), QPointF(9, y + 0.5));
    p.drawLine(QPointF(13, y + 0.5), QPointF(18.5, y));
  }
}

// Two letter tiles joined by an arc under them: a group of letters read as one sound.
void LetterPair(QPainter& p, const QString& first, const QString& second, const QColor& secondColour) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(1, 2, 10, 13), 1.5, 1.5);
  p.drawRoundedRect(QRectF(11, 2, 10, 13), 1.5, 1.5);
  Letter(p, QRectF(1, 2, 10, 13), first, 10, kBlue);
  Letter(p, QRectF(11, 2, 10, 13), second, 10, secondColour);
  p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(5, 11, 12, 9), 200 * 16, 140 * 16);
}

// A card with "Aa": the alphabet window.
void AlphabetCard(QPainter& p) {
  p.setPen(QPen(kInk, 1.1));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(1.5, 1.5, 19, 19), 3, 3);
  Letter(p, QRectF(1, 1, 20, 20), "Aa", 11, kRed);
}

}  // namespace

void PaintIcon(QPainter& p, Icon icon, qreal size) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 22.0, size / 22.0);
  switch (icon) {
    case Icon::SoundOff: Speaker(p, false); break;
    case Icon::SoundOn: Speaker(p, true); break;
    case Icon::Translate: Magnifier(p); break;
    case Icon::AddToList: AddPage(p); break;
    case Icon::Help: HelpMark(p); break;
    case Icon::Dictionary: DictionaryBook(p); break;
    case Icon::Settings: Palette(p); break;
    case Icon::Close: Door(p); break;
    case Icon::Exercises: Exercise(p); break;
    case Icon::Topic: TopicPage(p); break;
    case Icon::Lesson: OpenBook(p); break;
    case Icon::ConsonantPair: LetterPair(p, "s", "h", kBlue); break;
    case Icon::RPair: LetterPair(p, "a", "r", kRed); break;
    case Icon::VowelPair: LetterPair(p, "e", "e", kBlue); break;
    case Icon::OtherPair: LetterPair(p, "g", "h", kGreen); break;
    case Icon::Alphabet: AlphabetCard(p); break;
  }
  p.restore();
}

QPixmap DrawIcon(Icon icon, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  PaintIcon(p, icon, size);
  return pixmap;
}

}  // namespace lx
