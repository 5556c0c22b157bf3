#include "drills/Unit13.h"

#include "text/styletables.h"

namespace lx {
namespace {

SentenceWindowLayout Layout() {
  SentenceWindowLayout l;
  l.objectName = "form13";
  l.caption = "Practice 4";
  l.instructions = {"Вы должны сказать, предложение утвердительное, отрицательное, вопросительное.",
                    "Узнайте, это изъявительное или повелительное наклонение.",
                    "Определите временную отнесенность, время, залог.",
                    "Попробуйте перевести предложение, понять его смысл (z - дальше, x - ответ)."};
  l.closeHint = "Закрыть упражнение урока 4";
  l.styles = &styles::practice4();
  return l;
}

}  // namespace

Tform13::Tform13(const LessonContext& context, QWidget* parent)
    : SentenceWindow(Layout(), context, parent), drill_(tables_, ClockRandom()) {}

}  // namespace lx
