#include "drills/Unit6.h"

namespace lx {
namespace {

WordDrillLayout Layout() {
  WordDrillLayout l;
  l.objectName = "form6";
  l.caption = "Practice 1";
  l.width = 400;
  l.instruction1 = "Потренируйтесь самостоятельно читать";
  l.instruction2 = "транскрипционные написания звуков и слов ( z - дальше, x - звучание)";
  l.nextHint = "Следующее слово или звук (клавиша \"z\")";
  l.mode1 = "Звуки";
  l.mode2 = "Слова";
  l.closeHint = "Закрыть упражнение урока 1";
  l.writingButton = false;
  return l;
}

}  // namespace

Tform6::Tform6(const LessonContext& context, SoundService* sound, QWidget* parent)
    : WordDrillWindow(Layout(), context, sound, parent), drill_(SoundIndexOf(context)) {
  connect(RadioButton1, &QRadioButton::clicked, this, [this] { drill_.SetMode(Practice1Drill::Mode::Sounds); });
  connect(RadioButton2, &QRadioButton::clicked, this, [this] { drill_.SetMode(Practice1Drill::Mode::Words); });
}

}  // namespace lx
