#pragma once
// The platform's standard error box. Tests replace the reporter to observe errors
// without a modal dialog.
#include <QString>
#include <functional>

namespace lx {

using ErrorReporter = std::function<void(const QString& message)>;

// Shows `message` with the current reporter (a critical QMessageBox by default).
void ShowErrorBox(const QString& message);
// Installs a reporter and returns the previous one; an empty function restores the box.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

}  // namespace lx
