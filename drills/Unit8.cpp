#include "drills/Unit8.h"

namespace lx {
namespace {

constexpr int kShownTop = 8;
constexpr int kHiddenTop = 100;

WordDrillLayout Layout() {
  WordDrillLayout l;
  l.objectName = "form8";
  l.caption = "Practice 2";
  l.width = 401;
  // The first word begins with a Latin "a", as the course has always shown it.
  l.instruction1 = "Потренируйтесь самостоятельно читать aнглийские слова,";
  l.instruction2 = "а так же, узнавать слово по его звучанию (z - дальше, x - звучание).";
  l.nextHint = "Следующее слово (клавиша \"z\")";
  l.mode1 = "читать";
  l.mode2 = "слушать";
  l.closeHint = "Закрыть упражнение урока 2";
  l.writingButton = true;
  return l;
}

}  // namespace

Tform8::Tform8(const LessonContext& context, SoundService* sound, QWidget* parent)
    : WordDrillWindow(Layout(), context, sound, parent), drill_(SoundIndexOf(context)) {
  connect(RadioButton1, &QRadioButton::clicked, this, &Tform8::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &Tform8::RadioButton2Click);
}

void Tform8::RadioButton1Click() {
  drill_.SetMode(Practice2Drill::Mode::Read);
  SpeedButton4->hide();
  SpeedButton4->move(SpeedButton4->x(), kHiddenTop);
  SpeedButton3->show();
}

void Tform8::RadioButton2Click() {
  drill_.SetMode(Practice2Drill::Mode::Listen);
  SpeedButton3->hide();
  SpeedButton4->move(SpeedButton3->x(), kShownTop);
  SpeedButton4->show();
}

}  // namespace lx
