#pragma once
// A spinner of two small arrow buttons bound to an edit field: a click moves the
// position by one within its range and writes it into the field.
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>

namespace lx {

class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(QLineEdit* buddy, int min, int max, int position, QWidget* parent = nullptr);

  int position() const { return position_; }
  // Moves the position (kept in range) and writes it into the field.
  void SetPosition(int position);
  int min() const { return min_; }
  int max() const { return max_; }
  void SetMin(int min) { min_ = min; }
  void SetMax(int max) { max_ = max; }
  // Runs after a click has moved the position.
  void OnClick(std::function<void()> clicked) { clicked_ = std::move(clicked); }
  // Up (+1) or down (-1), as a click on an arrow.
  void Click(int step);
  // The position follows a number typed into the field, as far as the range allows.
  void FollowBuddy();

  QToolButton* Up = nullptr;
  QToolButton* Down = nullptr;

 private:
  QLineEdit* buddy_;
  int min_, max_, position_;
  std::function<void()> clicked_;
};

}  // namespace lx
