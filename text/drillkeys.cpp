#include "text/drillkeys.h"

namespace lx {

DrillKey DrillKeyOf(const QKeyEvent& event) {
  const QString text = event.text().toLower();
  if (text == QStringLiteral("z") || text == QString::fromUtf8("я")) return DrillKey::Next;
  if (text == QStringLiteral("x") || text == QString::fromUtf8("ч")) return DrillKey::Answer;
  return DrillKey::None;
}

}  // namespace lx
