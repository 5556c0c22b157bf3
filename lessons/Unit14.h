#pragma once
// Lesson 5: complex sentences.
#include "lessons/lessonframe.h"

namespace lx {

class Tform14 : public LessonFrame {
  Q_OBJECT
 public:
  explicit Tform14(LessonContext context, QWidget* parent = nullptr);

  void SpeedButton14Click() { ShowTopic(2); }
  void SpeedButton15Click() { ShowTopic(3); }
  void SpeedButton16Click() { ShowTopic(4); }
  void SpeedButton17Click() { ShowTopic(5); }
  void SpeedButton5Click() { ShowTopic(6); }
  void SpeedButton3Click() { ShowTopic(7); }
  void SpeedButton7Click() { ShowTopic(9); }
  void SpeedButton2Click() { ShowTopic(8); }
};

}  // namespace lx
