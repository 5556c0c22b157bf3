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
  setFixedSize(320, 60);
  CentreOnScreen(*this);
}

int TForm18::Percent(int done, int total) {
  if (total <= 0) return 0;
  return static_cast<int>(std::nearbyint(static_cast<double>(done) / total * 100.0));
}

void TForm18::Begin() {
  gauge_->setValue(0);
  show();
  QCoreApplication::processEvents();
}

void TForm18::Step(int done, int total) {
  gauge_->setValue(Percent(done, total));
  QCoreApplication::processEvents();
}

void TForm18::End() { hide(); }

}  // namespace lx
