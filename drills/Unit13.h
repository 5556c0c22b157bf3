#pragma once
// Practice 4: random sentences in every type, polarity, aspect, voice and tense.
#include "drills/sentencewindow.h"

namespace lx {

class Tform13 : public SentenceWindow {
  Q_OBJECT
 public:
  explicit Tform13(const LessonContext& context, QWidget* parent = nullptr);

  void SetRandom(RandomSource random) override { drill_.SetRandom(std::move(random)); }
  const Practice4Drill& drill() const { return drill_; }

 protected:
  std::vector<Fragment> NextLines() override { return drill_.Next(); }
  std::vector<Fragment> AnswerLines() override { return drill_.Answer(); }

 private:
  Practice4Drill drill_;
};

}  // namespace lx
