#include "reader/updown.h"

#include <QVBoxLayout>
#include <algorithm>

namespace lx {

UpDown::UpDown(QLineEdit* buddy, int min, int max, int position, QWidget* parent)
    : QWidget(parent), buddy_(buddy), min_(min), max_(max), position_(position) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  Up = new QToolButton(this);
  Down = new QToolButton(this);
  Up->setArrowType(Qt::UpArrow);
  Down->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {Up, Down}) {
    b->setFixedSize(16, 11);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    column->addWidget(b);
  }
  connect(Up, &QToolButton::clicked, this, [this] { Click(1); });
  connect(Down, &QToolButton::clicked, this, [this] { Click(-1); });
  if (buddy_) buddy_->setText(QString::number(position_));
}

void UpDown::SetPosition(int position) {
  position_ = std::clamp(position, min_, std::max(min_, max_));
  if (buddy_) buddy_->setText(QString::number(position_));
}

void UpDown::Click(int step) {
  FollowBuddy();
  SetPosition(position_ + step);
  if (clicked_) clicked_();
}

void UpDown::FollowBuddy() {
  if (!buddy_) return;
  bool ok = false;
  const int typed = buddy_->text().toInt(&ok);
  if (ok) position_ = std::clamp(typed, min_, std::max(min_, max_));
}

}  // namespace lx
