#include "Unit18.h"

#include "centre.h"

#include <QApplication>
#include <QVBoxLayout>
#include <cmath>

namespace lx {

TForm18::TForm18(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName("TForm18");
  setWindowTitle("Progress");
  gauge_ = new QProgressBar(this);
  gauge_->setObjectName("sGauge1");
  gauge_->setRange(0, 100);
  gauge_->setFormat("%p%");
  gauge_->setStyleSheet("QProgressBar::chunk { background-color: #2050D0; }");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gauge_);
  cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancel_->setObjectName("CancelButton");
  cancel_->setVisible(false);
  layout->addWidget(cancel_, 0, Qt::AlignHCenter);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (onCancel_) onCancel_();
  });
  setFixedSize(320, 60);
  CentreOnScreen(*this);
}

int TForm18::Percent(int done, int total) {
  if (total <= 0) return 0;
  return static_cast<int>(std::nearbyint(static_cast<double>(done) / total * 100.0));
}

void TForm18::Begin() {
  onCancel_ = nullptr;
  cancel_->setVisible(false);
  setFixedSize(320, 60);
  gauge_->setValue(0);
  show();
  QCoreApplication::processEvents();
}

void TForm18::Step(int done, int total) {
  gauge_->setValue(Percent(done, total));
  QCoreApplication::processEvents();
}

void TForm18::BeginCancellable(std::function<void()> onCancel) {
  gauge_->setValue(0);
  onCancel_ = std::move(onCancel);
  cancel_->setVisible(true);
  setFixedSize(320, 100);
  show();
}

void TForm18::End() {
  onCancel_ = nullptr;
  hide();
}

}  // namespace lx
