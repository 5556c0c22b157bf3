#pragma once
// The toolkit's own dialogs and buttons (the colour chooser, Yes/No questions, file
// dialogs) in Russian, like the rest of the course.
class QCoreApplication;

namespace lx {

// Installs Qt's Russian translations into `app`; false when they are not installed.
bool LoadRussianTranslations(QCoreApplication& app);

}  // namespace lx
