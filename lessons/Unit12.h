#pragma once
// Lesson 4: the English sentence and the tenses.
#include "lessons/lessonframe.h"

namespace lx {

class Tform12 : public LessonFrame {
  Q_OBJECT
 public:
  explicit Tform12(LessonContext context, QWidget* parent = nullptr);

  void SpeedButton14Click() { ShowTopic(2); }
  void SpeedButton15Click() { ShowTopic(3); }
  void SpeedButton16Click() { ShowTopic(4); }
  void SpeedButton17Click() { ShowTopic(5); }
  void SpeedButton5Click() { ShowTopic(6); }
  void SpeedButton3Click() { ShowTopic(7); }
  void SpeedButton7Click() { ShowTopic(9); }
  void SpeedButton2Click() { ShowTopic(8); }
  void SpeedButton8Click() { ShowTopic(10); }
};

}  // namespace lx
