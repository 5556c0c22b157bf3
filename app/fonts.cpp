#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>

namespace lx {

void CourseFonts::Register(const DataDir& dataDir) {
  QString serifFamily;
  for (const char* file : {"data\\phontm.ttf", "data\\georgia.ttf", "data\\georgiab.ttf"}) {
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(dataDir.Path(file)));
    if (id < 0) continue;
    ids_.append(id);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (serifFamily.isEmpty() && QString(file).contains("georgia") && !families.isEmpty())
      serifFamily = families.first();
  }
  // "Georgia" itself is not free: the lesson panes ask for it and get our serif.
  if (serifFamily.isEmpty()) serifFamily = QStringLiteral("DejaVu Serif");
  if (serifFamily != QLatin1String("Georgia")) QFont::insertSubstitution(QStringLiteral("Georgia"), serifFamily);
}

void CourseFonts::Unregister() {
  for (int id : ids_) QFontDatabase::removeApplicationFont(id);
  ids_.clear();
}

}  // namespace lx
