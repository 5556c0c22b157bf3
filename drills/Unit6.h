#pragma once
// Practice 1: read a sound's transcription code, or a word with its transcription,
// then check by ear.
#include "drills/worddrillwindow.h"

namespace lx {

class Tform6 : public WordDrillWindow {
  Q_OBJECT
 public:
  Tform6(const LessonContext& context, SoundService* sound, QWidget* parent = nullptr);

  const Practice1Drill& drill() const { return drill_; }

 protected:
  DrillStep NextStep(ItemRandom& random) override { return drill_.Next(random); }
  DrillStep AnswerStep() override { return drill_.Answer(); }

 private:
  Practice1Drill drill_;
};

}  // namespace lx
