#include "reader/readericons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "text/icons.h"

namespace lx {

namespace {

void Folder(QPainter& p, qreal s) {
  p.setBrush(QColor(0xF0, 0xC8, 0x50));
  p.drawRect(QRectF(s * 0.12, s * 0.3, s * 0.76, s * 0.5));
  p.drawRect(QRectF(s * 0.12, s * 0.22, s * 0.3, s * 0.1));
}

void Disk(QPainter& p, qreal s) {
  p.setBrush(palette::kBlue);
  p.drawRect(QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7));
  p.setBrush(palette::kPaper);
  p.drawRect(QRectF(s * 0.3, s * 0.15, s * 0.4, s * 0.25));
}

void Triangle(QPainter& p, qreal s, qreal x0, qreal dir) {
  const qreal tip = x0 + dir * s * 0.35;
  p.drawPolygon(QPolygonF({QPointF(x0, s * 0.25), QPointF(x0, s * 0.75), QPointF(tip, s * 0.5)}));
}

void Flag(QPainter& p, qreal s, const QColor& colour) {
  p.setBrush(colour);
  QPainterPath path;
  path.moveTo(s * 0.3, s * 0.12);
  path.lineTo(s * 0.7, s * 0.12);
  path.lineTo(s * 0.7, s * 0.88);
  path.lineTo(s * 0.5, s * 0.7);
  path.lineTo(s * 0.3, s * 0.88);
  path.closeSubpath();
  p.drawPath(path);
}

}  // namespace

QPixmap DrawReaderIcon(ReaderIcon icon, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  p.setPen(QPen(palette::kInk, 1));
  switch (icon) {
    case ReaderIcon::Open:
      Folder(p, s);
      break;
    case ReaderIcon::Save:
      Disk(p, s);
      break;
    case ReaderIcon::SaveList:
      Disk(p, s);
      p.setPen(QPen(palette::kRed, 2));
      p.drawLine(QPointF(s * 0.3, s * 0.6), QPointF(s * 0.7, s * 0.6));
      break;
    case ReaderIcon::Play:
      p.setBrush(palette::kGreen);
      Triangle(p, s, s * 0.3, 1.2);
      break;
    case ReaderIcon::Stop:
      p.setBrush(palette::kRed);
      p.drawRect(QRectF(s * 0.28, s * 0.28, s * 0.44, s * 0.44));
      break;
    case ReaderIcon::Back:
      p.setBrush(palette::kBlue);
      Triangle(p, s, s * 0.5, -1);
      Triangle(p, s, s * 0.85, -1);
      break;
    case ReaderIcon::Forward:
      p.setBrush(palette::kBlue);
      Triangle(p, s, s * 0.15, 1);
      Triangle(p, s, s * 0.5, 1);
      break;
    case ReaderIcon::Add:
    case ReaderIcon::Remove:
      p.setPen(QPen(icon == ReaderIcon::Add ? palette::kGreen : palette::kRed, s * 0.16));
      p.drawLine(QPointF(s * 0.2, s * 0.5), QPointF(s * 0.8, s * 0.5));
      if (icon == ReaderIcon::Add) p.drawLine(QPointF(s * 0.5, s * 0.2), QPointF(s * 0.5, s * 0.8));
      break;
    case ReaderIcon::Path:
      Folder(p, s);
      p.setPen(QPen(palette::kBlue, 2));
      p.drawLine(QPointF(s * 0.35, s * 0.55), QPointF(s * 0.65, s * 0.55));
      break;
    case ReaderIcon::DeletePoint:
      p.setBrush(palette::kBlue);
      p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.18, s * 0.18);
      p.setPen(QPen(palette::kRed, 2));
      p.drawLine(QPointF(s * 0.2, s * 0.2), QPointF(s * 0.8, s * 0.8));
      p.drawLine(QPointF(s * 0.8, s * 0.2), QPointF(s * 0.2, s * 0.8));
      break;
    case ReaderIcon::BookmarkGo:
      Flag(p, s, palette::kGreen);
      break;
    case ReaderIcon::BookmarkSet:
      Flag(p, s, palette::kRed);
      break;
    case ReaderIcon::Quick:
    case ReaderIcon::Notes:
      p.setBrush(icon == ReaderIcon::Quick ? QColor(0xA6, 0xCA, 0xF0) : QColor(0xD8, 0xE6, 0xEB));
      p.drawRect(QRectF(s * 0.12, s * 0.2, s * 0.76, s * 0.6));
      for (int k = 0; k < 3; ++k)
        p.drawLine(QPointF(s * 0.2, s * (0.35 + 0.15 * k)), QPointF(s * 0.8, s * (0.35 + 0.15 * k)));
      break;
  }
  return pixmap;
}

}  // namespace lx
