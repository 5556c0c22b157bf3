#pragma once
// The progress window: a small tool window with one gauge, shown by long operations.
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace lx {

class TForm18 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm18(QWidget* parent = nullptr);

  // Shows the window with the gauge at 0.
  void Begin();
  // Shows the window with a cancel button that runs `onCancel`.
  void BeginCancellable(std::function<void()> onCancel);
  // After item i of n: the gauge shows i / n * 100 rounded (halves to even) and repaints.
  void Step(int done, int total);
  void End();

  QProgressBar* gauge() const { return gauge_; }
  QPushButton* cancelButton() const { return cancel_; }
  // i / n * 100, rounded to the nearest integer with halves to even.
  static int Percent(int done, int total);

 private:
  QProgressBar* gauge_;
  QPushButton* cancel_;
  std::function<void()> onCancel_;
};

}  // namespace lx
