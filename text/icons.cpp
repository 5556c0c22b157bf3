#include "text/icons.h"

#include <QPainter>
#include <QPainterPath>

namespace lx {
namespace {

const QColor kInk(0x20, 0x30, 0x60);
const QColor kBlue(0x20, 0x60, 0xC0);
const QColor kRed(0xC0, 0x20, 0x30);
const QColor kGreen(0x30, 0x80, 0x40);

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

}  // namespace

QPixmap DrawIcon(Icon icon, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 22.0, size / 22.0);
  switch (icon) {
    case Icon::SoundOff: Speaker(p, false); break;
    case Icon::SoundOn: Speaker(p, true); break;
    case Icon::Translate: Magnifier(p); break;
    case Icon::AddToList: AddPage(p); break;
  }
  return pixmap;
}

}  // namespace lx
