#pragma once
// Practice 2: read a word, then see its transcription and hear it; or hear a word
// and then see how it is written.
#include "drills/worddrillwindow.h"

namespace lx {

class Tform8 : public WordDrillWindow {
  Q_OBJECT
 public:
  Tform8(const LessonContext& context, SoundService* sound, QWidget* parent = nullptr);

  // Mode changes: "читать" shows "Звучание", "слушать" puts "Написание" in its place.
  void RadioButton1Click();
  void RadioButton2Click();

  const Practice2Drill& drill() const { return drill_; }

 protected:
  DrillStep NextStep(ItemRandom& random) override { return drill_.Next(random); }
  DrillStep AnswerStep() override { return drill_.Answer(); }

 private:
  Practice2Drill drill_;
};

}  // namespace lx
