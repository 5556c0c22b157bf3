#pragma once
// The program: creates the main window (which runs the start-up sequence), then every
// other window once, hidden, in the fixed order, and runs the message loop.
#include <QApplication>
#include <memory>

#include "Unit1.h"
#include "Unit17.h"
#include "Unit18.h"
#include "dictionary/Unit9.h"
#include "drills/Unit13.h"
#include "drills/Unit15.h"
#include "drills/Unit6.h"
#include "drills/Unit8.h"
#include "lessons/Unit7.h"
#include "drills/Unit11.h"
#include "lessons/Unit4.h"
#include "lessons/Unit5.h"
#include "lessons/Unit10.h"
#include "lessons/Unit12.h"
#include "lessons/Unit14.h"
#include "reader/Unit2.h"
#include "text/Unit21.h"
#include "text/picturetable.h"
#include "vocabulary/Unit16.h"

namespace lx {

class Project1 {
 public:
  // Creates every window over the data folder `dataDir`.
  explicit Project1(DataDir dataDir);

  TForm1* form1() const { return form1_.get(); }
  Tform9* form9() const { return form9_.get(); }
  TForm17* form17() const { return form17_.get(); }
  // The lesson 6 word list: loaded from "data\\w01.txt" by lesson 6, written back at the end.
  WordList& lesson6List() { return lesson6List_; }
  Tform7* form7() const { return form7_.get(); }
  Tform4* form4() const { return form4_.get(); }
  Tform5* form5() const { return form5_.get(); }
  Tform16* form16() const { return form16_.get(); }
  Tform10* form10() const { return form10_.get(); }
  Tform11* form11() const { return form11_.get(); }
  Tform12* form12() const { return form12_.get(); }
  Tform14* form14() const { return form14_.get(); }
  Tform13* form13() const { return form13_.get(); }
  Tform15* form15() const { return form15_.get(); }
  Tform6* form6() const { return form6_.get(); }
  Tform8* form8() const { return form8_.get(); }
  const PictureTable& pictureTable() const { return pictureTable_; }
  TForm18* form18() const { return form18_.get(); }
  TForm21* form21() const { return form21_.get(); }
  TForm2* form2() const { return form2_.get(); }
  // Another copy is running: nothing was created beyond the main window, which stays hidden.
  bool quitAtOnce() const { return form1_->anotherInstance(); }
  void ShowMain();

 private:
  void LoadWordForms();
  void CreateLesson6Window();
  void CreateLessonWindows();
  void CreateReader();
  // Enrols a lesson window with the settings window and the main window's button.
  void WireLesson(int lesson, LessonFrame& window);
  // Opens `practice` from the lesson's exercises button and keeps its pane in step with the settings.
  void WirePractice(LessonFrame& lesson, SentenceWindow& practice);
  // Practice 3, opened by lesson 3's exercises button.
  void CreatePractice3(const LessonContext& context);

  std::unique_ptr<TForm1> form1_;
  WordList lesson6List_;
  WordForms wordForms_;  // data/forms.txt, for the dictionary's lookups
  std::unique_ptr<Tform9> form9_;
  std::unique_ptr<TForm17> form17_;
  PictureTable pictureTable_;
  std::unique_ptr<Tform7> form7_;
  std::unique_ptr<Tform4> form4_;
  std::unique_ptr<Tform5> form5_;
  std::unique_ptr<Tform10> form10_;
  std::unique_ptr<Tform11> form11_;
  std::unique_ptr<Tform12> form12_;
  std::unique_ptr<Tform14> form14_;
  std::unique_ptr<Tform13> form13_;
  std::unique_ptr<Tform15> form15_;
  std::unique_ptr<Tform6> form6_;
  std::unique_ptr<Tform8> form8_;
  std::unique_ptr<TForm18> form18_;
  std::unique_ptr<Tform16> form16_;
  std::unique_ptr<TForm21> form21_;
  std::unique_ptr<TForm2> form2_;
};

// The entry point's work: application object, windows, message loop.
int RunLexitar(int argc, char** argv);

}  // namespace lx
