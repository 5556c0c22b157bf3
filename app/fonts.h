#pragma once
// The course fonts, registered for as long as the program runs: the phonetic face
// of the transcriptions and the serif face of the lesson panes.
#include <QList>

#include "app/core/datadir.h"

namespace lx {

class CourseFonts {
 public:
  // Registers data\phontm.ttf, data\georgia.ttf and data\georgiab.ttf (missing files
  // are skipped) and maps the family "Georgia" onto the serif face we ship.
  void Register(const DataDir& dataDir);
  void Unregister();
  int registeredCount() const { return static_cast<int>(ids_.size()); }

 private:
  QList<int> ids_;
};

}  // namespace lx
