#include "support/qtapp.h"

#include <QElapsedTimer>
#include <QThread>

namespace lx::test {

QApplication& App() {
  static int argc = 1;
  static char name[] = "lexitar_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed, so no widget or font outlives it at exit.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

bool WaitFor(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < limitMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
  }
  return done();
}

}  // namespace lx::test
