#include "lessons/framebutton.h"

#include <QFontMetrics>
#include <QPainter>

namespace lx {
namespace {

// The caption's font: the button's own, narrowed and then made smaller until the
// caption fits `width`, so a long topic name is never cut.
QFont FittingFont(const QFont& base, const QString& text, int width) {
  QFont font = base;
  for (int stretch : {QFont::Unstretched, QFont::SemiCondensed, QFont::Condensed}) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) return font;
  }
  for (qreal size = font.pointSizeF() - 0.5; size >= 6; size -= 0.5) {
    font.setPointSizeF(size);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) return font;
  }
  return font;
}

}  // namespace

FrameButton::FrameButton(const QString& caption, const QPixmap& icon, const QColor& captionColour, QWidget* parent)
    : QToolButton(parent), picture_(icon), captionColour_(captionColour) {
  setText(caption);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  QFont bold("DejaVu Sans", 8);
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
  const QRect textRect(textLeft + shift, shift, width() - textLeft - 6, height());
  p.setFont(FittingFont(font(), text(), textRect.width()));
  p.setPen(isEnabled() ? captionColour_ : QColor(0x90, 0x98, 0x98));
  p.drawText(textRect, captionAlignment_ | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

}  // namespace lx
