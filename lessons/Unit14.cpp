#include "lessons/Unit14.h"

namespace lx {
namespace {

LessonLayout Layout() {
  const QColor navy(0x00, 0x00, 0x80);
  LessonLayout l;
  l.objectName = "form14";
  l.caption = "Lexitar - Lesson 5";
  l.size = QSize(811, 594);
  l.descriptionCaption = "Урок 5";
  l.descriptionHint = "Описание Урока 5";
  l.exercisesHint = "Упражнения Урока 5";
  l.closeName = "SpeedButton6";
  l.closeHint = "Закрыть Урок 5";
  l.helpPage = "data\\html\\les5_.html";
  l.textFolder = "data\\texts\\les5";
  l.styles = &styles::lesson5();
  l.pictures = &pictures::lesson5();
  l.topics = {{"SpeedButton14", "Сослагательное наклонение", 2, navy},
              {"SpeedButton15", "Модальные глаголы", 3, navy},
              {"SpeedButton16", "Неличные глаголы", 4, navy},
              {"SpeedButton17", "Безличные предложения", 5, navy},
              {"SpeedButton5", "Неопределенно личные", 6, navy},
              {"SpeedButton3", "There + to be", 7, navy},
              {"SpeedButton7", "Сложносочиненные", 9, navy},
              {"SpeedButton2", "Сложноподчиненные", 8, navy}};
  return l;
}

}  // namespace

Tform14::Tform14(LessonContext context, QWidget* parent) : LessonFrame(Layout(), std::move(context), parent) {}

}  // namespace lx
