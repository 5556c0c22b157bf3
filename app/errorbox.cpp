#include "errorbox.h"

#include <QApplication>
#include <QMessageBox>

namespace lx {
namespace {

ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}

}  // namespace

void ShowErrorBox(const QString& message) {
  if (Reporter()) {
    Reporter()(message);
    return;
  }
  QMessageBox::critical(nullptr, QApplication::applicationName(), message);
}

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
  ErrorReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  return previous;
}

}  // namespace lx
