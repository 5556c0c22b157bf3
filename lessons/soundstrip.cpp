#include "lessons/soundstrip.h"

#include <QFontMetrics>
#include <QPainter>

namespace lx {

SoundStrip::SoundStrip(const QColor& background, QWidget* parent) : QWidget(parent), background_(background) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SoundStrip::EnsureCanvas() {
  const QSize size = this->size().expandedTo(QSize(1, 1));
  if (canvas_.size() == size || repainting_) return;
  Repaint();
}

void SoundStrip::Repaint() {
  canvas_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  canvas_.fill(background_);
  if (repaint_) {
    repainting_ = true;
    repaint_();
    repainting_ = false;
  }
  update();
}

void SoundStrip::DrawPicture(const QImage& picture, QPoint at) {
  EnsureCanvas();
  if (picture.isNull()) return;
  QPainter p(&canvas_);
  p.drawImage(at, picture);
  update();
}

void SoundStrip::DrawLabel(const QString& text, const QFont& font, const QColor& ink, const QColor& paper,
                           QPoint at) {
  EnsureCanvas();
  QPainter p(&canvas_);
  p.setFont(font);
  const QFontMetrics metrics(font);
  const QRect cell(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
  p.fillRect(cell, paper);
  p.setPen(ink);
  p.drawText(QPoint(at.x(), at.y() + metrics.ascent()), text);
  update();
}

void SoundStrip::paintEvent(QPaintEvent*) {
  EnsureCanvas();
  QPainter p(this);
  p.drawImage(0, 0, canvas_);
}

}  // namespace lx
