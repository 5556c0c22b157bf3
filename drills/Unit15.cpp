#include "drills/Unit15.h"

#include "text/styletables.h"

namespace lx {
namespace {

SentenceWindowLayout Layout() {
  SentenceWindowLayout l;
  l.objectName = "form15";
  l.caption = "Practice 5";
  l.instructions = {"Попробуйте догадаться, о значении словосочетаний (z - дальше, x - ответ)"};
  l.closeHint = "Закрыть упражнение урока 5";
  l.styles = &styles::practice5();
  return l;
}

}  // namespace

Tform15::Tform15(const LessonContext& context, QWidget* parent)
    : SentenceWindow(Layout(), context, parent), drill_(tables_, ClockRandom()) {}

}  // namespace lx
