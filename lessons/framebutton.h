#pragma once
// The flat buttons of the lesson windows' left panel: an icon at a fixed left
// margin and a bold caption aligned right, or an icon alone in the middle.
// Raised on hover, sunk while pressed or held down.
#include <QColor>
#include <QPixmap>
#include <QToolButton>

namespace lx {

class FrameButton : public QToolButton {
  Q_OBJECT
 public:
  // An empty caption centres the icon.
  FrameButton(const QString& caption, const QPixmap& icon, const QColor& captionColour, QWidget* parent);

  void SetIconMargin(int pixels) { iconMargin_ = pixels; }
  // A caption without an icon may stand in the middle instead of at the right.
  void SetCaptionAlignment(Qt::Alignment horizontal) { captionAlignment_ = horizontal; }
  const QColor& captionColour() const { return captionColour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  QSize sizeHint() const override;

 private:
  QPixmap picture_;
  QColor captionColour_;
  int iconMargin_ = 4;
  Qt::Alignment captionAlignment_ = Qt::AlignRight;
};

}  // namespace lx
