#include "lessons/Unit12.h"

namespace lx {
namespace {

LessonLayout Layout() {
  const QColor navy(0x00, 0x00, 0x80), blue(0x00, 0x00, 0xFF);  // the four tenses in blue
  LessonLayout l;
  l.objectName = "form12";
  l.caption = "Lexitar - Lesson 4";
  l.size = QSize(926, 593);
  l.firstTopicTop = 47;
  l.descriptionCaption = "Урок 4";
  l.descriptionHint = "Описание Урока 4";
  l.exercisesHint = "Упражнения Урока 4";
  l.closeName = "SpeedButton6";
  l.closeHint = "Закрыть Урок 4";
  l.helpPage = "data\\html\\les4_.html";
  l.textFolder = "data\\texts\\les4";
  l.styles = &styles::lesson4();
  l.pictures = &pictures::lesson4();
  l.topics = {{"SpeedButton14", "Английское предложение", 2, navy},
              {"SpeedButton15", "Личные формы глагола", 3, navy},
              {"SpeedButton16", "Indefinite", 4, blue},
              {"SpeedButton17", "Continuous", 5, blue},
              {"SpeedButton5", "Perfect", 6, blue},
              {"SpeedButton3", "Perfect Continuous", 7, blue},
              {"SpeedButton7", "Отрицательная форма", 9, navy},
              {"SpeedButton2", "Вопросительная форма", 8, navy},
              {"SpeedButton8", "Повелительное наклонение", 10, navy}};
  return l;
}

}  // namespace

Tform12::Tform12(LessonContext context, QWidget* parent) : LessonFrame(Layout(), std::move(context), parent) {}

}  // namespace lx
