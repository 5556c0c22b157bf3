#include "lessons/framebutton.h"

#include <QPainter>

namespace lx {

FrameButton::FrameButton(const QString& caption, const QPixmap& icon, const QColor& captionColour, QWidget* parent)
    : QToolButton(parent), picture_(icon), captionColour_(captionColour) {
  setText(caption);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
}

QSize FrameButton::sizeHint() const { return size(); }

void FrameButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool sunk = isDown() || isChecked();
  const bool hot = isEnabled() && underMouse();
  if (sunk) {
    p.setPen(QColor(0x60, 0x80, 0x70));
    p.setBrush(QColor(0, 0x40, 0x20, 0x28));
    p.drawRoundedRect(frame, 3, 3);
  } else if (hot) {
    p.setPen(QColor(0x80, 0xA8, 0x90));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 0x90));
    p.drawRoundedRect(frame, 3, 3);
  }
  const int shift = sunk ? 1 : 0;
  QPixmap picture = picture_;
  if (!isEnabled() && !picture.isNull()) {
    // A faded picture for a button that cannot be used yet.
    QPixmap faded(picture.size());
    faded.fill(Qt::transparent);
    QPainter f(&faded);
    f.setOpacity(0.35);
    f.drawPixmap(0, 0, picture);
    f.end();
    picture = faded;
  }
  const int iconTop = (height() - picture.height()) / 2 + shift;
  if (text().isEmpty()) {
    p.drawPixmap((width() - picture.width()) / 2 + shift, iconTop, picture);
    return;
  }
  int textLeft = 4;
  if (!picture.isNull()) {
    p.drawPixmap(iconMargin_ + shift, iconTop, picture);
    textLeft = iconMargin_ + picture.width() + 4;
  }
  p.setFont(font());
  p.setPen(isEnabled() ? captionColour_ : QColor(0x90, 0x98, 0x98));
  const QRect textRect(textLeft + shift, shift, width() - textLeft - 6, height());
  p.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

}  // namespace lx
