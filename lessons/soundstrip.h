#pragma once
// Lesson 1's drawing strip: a canvas the window draws pictures and labels onto.
// The canvas keeps what was drawn, so an exposed strip shows it again; when the
// strip changes size the canvas starts afresh and the window's repaint rule
// draws it anew.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>

namespace lx {

class SoundStrip : public QWidget {
  Q_OBJECT
 public:
  SoundStrip(const QColor& background, QWidget* parent);

  // Draws the whole strip from the window's state (its repaint rule).
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
  // Starts the canvas afresh at the strip's size and runs the repaint rule.
  void Repaint();

  // A picture at its own size with its top left corner at `at`; a null picture draws nothing.
  void DrawPicture(const QImage& picture, QPoint at);
  // Text whose cell has its top left corner at `at`, on an opaque background.
  void DrawLabel(const QString& text, const QFont& font, const QColor& ink, const QColor& paper, QPoint at);

  const QImage& canvas() const { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Makes the canvas match the strip's size; a new canvas is drawn by the rule.
  void EnsureCanvas();

  QColor background_;
  QImage canvas_;
  std::function<void()> repaint_;
  bool repainting_ = false;
};

}  // namespace lx
