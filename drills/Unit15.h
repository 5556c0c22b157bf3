#pragma once
// Practice 5: mood forms and non-finite forms of random verbs.
#include "drills/sentencewindow.h"

namespace lx {

class Tform15 : public SentenceWindow {
  Q_OBJECT
 public:
  explicit Tform15(const LessonContext& context, QWidget* parent = nullptr);

  void SetRandom(RandomSource random) override { drill_.SetRandom(std::move(random)); }
  const Practice5Drill& drill() const { return drill_; }

 protected:
  std::vector<Fragment> NextLines() override { return drill_.Next(); }
  std::vector<Fragment> AnswerLines() override { return drill_.Answer(); }

 private:
  Practice5Drill drill_;
};

}  // namespace lx
