#pragma once
#include <QApplication>
#include <QString>
#include <functional>

namespace lx::test {
// The one application object of the test binary, created on first use.
QApplication& App();
// Runs the event loop until `done` holds or `limitMs` passes; returns `done()`.
bool WaitFor(const std::function<bool()>& done, int limitMs = 3000);
}  // namespace lx::test
