#pragma once
// The program: creates the main window (which runs the start-up sequence), then every
// other window once, hidden, in the fixed order, and runs the message loop.
#include <QApplication>
#include <memory>

#include "Unit1.h"
#include "Unit17.h"
#include "Unit18.h"
#include "dictionary/Unit9.h"
#include "lessons/Unit10.h"
#include "lessons/Unit12.h"
#include "lessons/Unit14.h"
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
  Tform16* form16() const { return form16_.get(); }
  Tform10* form10() const { return form10_.get(); }
  Tform12* form12() const { return form12_.get(); }
  Tform14* form14() const { return form14_.get(); }
  const PictureTable& pictureTable() const { return pictureTable_; }
  TForm18* form18() const { return form18_.get(); }
  TForm21* form21() const { return form21_.get(); }
  // Another copy is running: nothing was created beyond the main window, which stays hidden.
  bool quitAtOnce() const { return form1_->anotherInstance(); }
  void ShowMain();

 private:
  void CreateLesson6Window();
  void CreateLessonWindows();
  // Enrols a lesson window with the settings window and the main window's button.
  void WireLesson(int lesson, LessonFrame& window);

  std::unique_ptr<TForm1> form1_;
  WordList lesson6List_;
  std::unique_ptr<Tform9> form9_;
  std::unique_ptr<TForm17> form17_;
  PictureTable pictureTable_;
  std::unique_ptr<Tform10> form10_;
  std::unique_ptr<Tform12> form12_;
  std::unique_ptr<Tform14> form14_;
  std::unique_ptr<TForm18> form18_;
  std::unique_ptr<Tform16> form16_;
  std::unique_ptr<TForm21> form21_;
};

// The entry point's work: application object, windows, message loop.
int RunLexitar(int argc, char** argv);

}  // namespace lx
