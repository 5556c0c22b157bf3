// The lesson windows inside the program: opened from the main window, their
// dictionary toggles kept in step, their panes following the settings window.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <memory>

#include "app/Project1.h"
#include "audio/audio.h"
#include "app/errorbox.h"
#include "fixture.h"
#include "support/qtapp.h"

namespace {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    lx::SetErrorReporter([this](const QString& m) { errors.push_back(m); });
    folder = std::make_unique<lx::test::CourseFolder>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const char* f : {"words.txt", "dict1.txt", "dict2.txt", "info.txt", "w01.txt"}) folder->Write(f, {});
    folder->WriteDrillTables();
    folder->WriteAllTexts();
  }
  void TearDown() override { lx::SetErrorReporter({}); }
  // info.txt with slot 33 set.
  void DictionaryWasOpen() {
    std::vector<QString> lines(100);
    lines[32] = "true";
    folder->Write("info.txt", lines);
  }
  std::unique_ptr<lx::Project1> Start() {
    auto program = std::make_unique<lx::Project1>(lx::DataDir(folder->root().string()));
    EXPECT_FALSE(program->quitAtOnce());
    return program;
  }
  static std::string Title(lx::LessonFrame& w) { return lx::test::FirstLine(*w.RichEdit1); }
  static QToolButton* Button(QWidget* w, const char* name) { return w->findChild<QToolButton*>(name); }
  std::vector<lx::LessonFrame*> Lessons(lx::Project1& p) { return {p.form7(), p.form10(), p.form12(), p.form14()}; }
  std::vector<lx::LessonFrame*> GrammarLessons(lx::Project1& p) { return {p.form10(), p.form12(), p.form14()}; }

  std::unique_ptr<lx::test::CourseFolder> folder;
  std::vector<QString> errors;
};

TEST_F(ProgramTest, MainWindowOpensTheLessons) {
  auto program = Start();
  lx::TForm1* main = program->form1();
  struct Case {
    const char* button;
    lx::LessonFrame* window;
    int lesson;
  } cases[] = {{"SpeedButton4", program->form10(), 3},
               {"SpeedButton5", program->form12(), 4},
               {"SpeedButton6", program->form14(), 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(Button(main, c.button)->isEnabled());
    EXPECT_FALSE(c.window->isVisible());
    Button(main, c.button)->click();
    EXPECT_TRUE(c.window->isVisible());
    EXPECT_EQ(c.window->shownTopic(), 1);
    EXPECT_EQ(Title(*c.window), QString("Lesson %1 text 1").arg(c.lesson).toStdString());
    EXPECT_EQ(c.window->RichEdit1->cursorWidth(), 0);
    // The second press only brings the window forward: the description is not
    // read and written again.
    folder->WriteText(c.lesson, 1, "Rewritten");
    Button(main, c.button)->click();
    EXPECT_EQ(Title(*c.window), QString("Lesson %1 text 1").arg(c.lesson).toStdString());
    // Closed with a topic shown, the lesson opens again on its description.
    c.window->ShowTopic(3);
    c.window->CloseButton->click();
    EXPECT_FALSE(c.window->isVisible());
    Button(main, c.button)->click();
    EXPECT_TRUE(c.window->isVisible());
    EXPECT_EQ(c.window->shownTopic(), 1);
    EXPECT_EQ(Title(*c.window), "Rewritten");
  }
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// Lesson 2 opens on its description, written anew at every opening; a word the
// dictionary finds shows its transcription in lesson 2's label.
TEST_F(ProgramTest, MainWindowOpensLesson2) {
  folder->Write("dict1.txt", {"make", "meIk", "<span class=ps>v</span><br>", ""});
  folder->Write("texts/les2/t01.txt", {"#5Урок 2 - чтение английских букв и слов."});
  auto program = Start();
  lx::Tform7* w = program->form7();
  QToolButton* button = Button(program->form1(), "SpeedButton3");
  ASSERT_TRUE(button->isEnabled());
  EXPECT_FALSE(w->isVisible());
  button->click();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(Title(*w), "Урок 2 - чтение английских букв и слов.");
  EXPECT_EQ(w->RichEdit1->cursorWidth(), 0);
  folder->Write("texts/les2/t01.txt", {"#5Rewritten"});
  button->click();
  EXPECT_EQ(Title(*w), "Rewritten");
  program->form9()->Edit1->setText("make");
  program->form9()->LookUp();
  EXPECT_EQ(w->Label1->text(), "[meIk]");
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// Lesson 1 opens from the main window on its description, with the strip folded away,
// and its alphabet button shows the alphabet window.
TEST_F(ProgramTest, MainWindowOpensLesson1) {
  folder->Write("texts/les1/t01.txt", {"#3Lesson 1 text 1"});
  auto program = Start();
  lx::Tform4* w = program->form4();
  ASSERT_NE(w, nullptr);
  QToolButton* lesson1 = Button(program->form1(), "SpeedButton2");
  ASSERT_TRUE(lesson1->isEnabled());
  lesson1->click();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(Title(*w), "Lesson 1 text 1");
  EXPECT_EQ(w->PaintBox1->height(), lx::Tform4::kCollapsedStripHeight);
  EXPECT_EQ(w->RichEdit1->cursorWidth(), 0);
  w->SpeedButton90->click();
  EXPECT_TRUE(program->form5()->isVisible());
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// The sounds of lesson 1 and the letter names reach the program's sound service: each
// recording of the fixture has a length of its own, and the channel the service opened
// tells which one played.
TEST_F(ProgramTest, Lesson1AndTheAlphabetPlayTheirEntries) {
  const std::map<int, std::pair<const char*, int>> named{
      {3480, {"p.wav", 700}}, {3391, {"a.wav", 600}}, {3381, {"w.wav", 900}}, {2987, {"r.wav", 500}}};
  std::vector<QString> index;
  for (int n = 1; n <= 3560; ++n) {
    const auto it = named.find(n);
    index.push_back(it == named.end() ? QString("\tx\tx.wav\t0\t300")
                                      : QString("\tc\t%1\t0\t%2").arg(it->second.first).arg(it->second.second));
  }
  folder->Write("words.txt", index);
  folder->WriteSilence("x.wav", 300);
  for (const auto& [entry, file] : named) folder->WriteSilence(file.first, file.second);
  folder->Write("texts/les1/t01.txt", {"#3Lesson 1 text 1"});
  folder->Write("texts/les1/s01.txt", {"#3Sound 1"});
  folder->Write("texts/les1/s25.txt", {"#3Sound 25"});
  auto program = Start();
  lx::SoundService& sound = program->form1()->sound();
  auto played = [&]() -> std::string {
    const lx::AudioHandle h = sound.AudioChannel();
    if (h == 0) return "";
    const int ms = static_cast<int>(lx::BASS_ChannelBytes2Seconds(h, lx::BASS_ChannelGetLength(h)) * 1000 + 0.5);
    for (const auto& [entry, file] : named)
      if (file.second == ms) return file.first;
    return "other";
  };
  lx::Tform4* w = program->form4();
  w->OpenFromMain();
  w->SoundButton(25)->click();
  ASSERT_TRUE(lx::test::WaitFor([&] { return !played().empty(); }));
  EXPECT_EQ(played(), "p.wav");
  ASSERT_TRUE(lx::test::WaitFor([&] { return !w->soundPending(); }));
  w->SoundButton(1)->click();
  ASSERT_TRUE(lx::test::WaitFor([&] { return played() == "a.wav"; }));

  lx::Tform5* abc = program->form5();
  abc->LetterButton(22)->click();  // Ww
  EXPECT_EQ(played(), "w.wav");
  abc->LetterButton(17)->click();  // Rr: its name, not the sound [a:] of lesson 1
  EXPECT_EQ(played(), "r.wav");
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// A click in a lesson pane reaches the dictionary window's entry field; a click on a
// transcription leaves it alone.
TEST_F(ProgramTest, PickedWordsGoToTheDictionary) {
  auto program = Start();
  lx::Tform10* w = program->form10();
  w->OpenFromMain();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  auto clickAt = [&](const QString& text) {
    const int offset = static_cast<int>(w->RichEdit1->PaneText().indexOf(text)) + 1;
    QTextCursor cursor(w->RichEdit1->document());
    cursor.setPosition(w->RichEdit1->PositionOfOffset(offset));
    QTest::mouseClick(w->RichEdit1->viewport(), Qt::LeftButton, {}, w->RichEdit1->cursorRect(cursor).center());
  };
  clickAt("more");
  EXPECT_EQ(program->form9()->Edit1->text(), "more");
  clickAt("teIbl");
  EXPECT_EQ(program->form9()->Edit1->text(), "more");
  clickAt("Строка");
  EXPECT_EQ(program->form9()->Edit1->text(), "строка");
}

TEST_F(ProgramTest, DictionaryTogglesStayInStep) {
  {
    auto program = Start();
    for (lx::LessonFrame* w : Lessons(*program)) EXPECT_FALSE(w->SpeedButton41->isChecked()) << w->objectName().toStdString();
  }
  DictionaryWasOpen();
  auto program = Start();
  lx::Tform9* dictionary = program->form9();
  EXPECT_TRUE(dictionary->isVisible());
  for (lx::LessonFrame* w : Lessons(*program)) EXPECT_TRUE(w->SpeedButton41->isChecked()) << w->objectName().toStdString();
  // Releasing one toggle closes the dictionary and releases the others.
  program->form12()->SpeedButton41->click();
  EXPECT_FALSE(dictionary->isVisible());
  for (lx::LessonFrame* w : Lessons(*program)) EXPECT_FALSE(w->SpeedButton41->isChecked()) << w->objectName().toStdString();
  program->form14()->SpeedButton41->click();
  EXPECT_TRUE(dictionary->isVisible());
  for (lx::LessonFrame* w : Lessons(*program)) EXPECT_TRUE(w->SpeedButton41->isChecked()) << w->objectName().toStdString();
  dictionary->cl9();
  for (lx::LessonFrame* w : Lessons(*program)) EXPECT_FALSE(w->SpeedButton41->isChecked()) << w->objectName().toStdString();
}

TEST_F(ProgramTest, SettingsToggleAndApply) {
  auto program = Start();
  lx::TForm17* settings = program->form17();
  program->form10()->SpeedButton42->click();
  EXPECT_TRUE(settings->isVisible());
  program->form10()->SpeedButton42->click();
  EXPECT_FALSE(settings->isVisible());
  program->form12()->SpeedButton42->click();
  ASSERT_TRUE(settings->isVisible());

  int swatch = 1;
  while (lx::SwatchSlot(swatch) != 1) ++swatch;
  settings->SetColorChooser([](uint32_t, uint32_t& chosen) {
    chosen = 0x102030;
    return true;
  });
  settings->SwatchClick(swatch);
  settings->SpeedButton1Click();  // Apply
  for (lx::LessonFrame* w : Lessons(*program))
    EXPECT_EQ(w->RichEdit1->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30)) << w->objectName().toStdString();
  // Closing the settings window releases its toggles.
  settings->SpeedButton4Click();
  EXPECT_FALSE(program->form12()->SpeedButton42->isChecked());
}

// Lessons 4 and 5 open their practice windows; the dictionary toggles of the
// practice windows follow the others, and their panes follow the settings window.
TEST_F(ProgramTest, ExercisesOpenPractice4And5) {
  auto program = Start();
  struct Case {
    lx::LessonFrame* lesson;
    lx::SentenceWindow* practice;
  } cases[] = {{program->form12(), program->form13()}, {program->form14(), program->form15()}};
  for (const Case& c : cases) {
    ASSERT_NE(c.practice, nullptr);
    ASSERT_TRUE(c.lesson->SpeedButton4->isEnabled());
    EXPECT_FALSE(c.practice->isVisible());
    c.lesson->SpeedButton4->click();
    EXPECT_TRUE(c.practice->isVisible());
    EXPECT_EQ(c.practice->RichEdit1->cursorWidth(), 0);
    c.practice->SpeedButton1->click();
    EXPECT_FALSE(c.practice->RichEdit1->toPlainText().trimmed().isEmpty());
  }
  program->form13()->SpeedButton41->click();
  EXPECT_TRUE(program->form9()->isVisible());
  EXPECT_TRUE(program->form15()->SpeedButton41->isChecked());
  EXPECT_TRUE(program->form12()->SpeedButton41->isChecked());
  program->form12()->SpeedButton41->click();
  EXPECT_FALSE(program->form9()->isVisible());
  EXPECT_FALSE(program->form13()->SpeedButton41->isChecked());

  lx::TForm17* settings = program->form17();
  int swatch = 1;
  while (lx::SwatchSlot(swatch) != 2) ++swatch;
  settings->SetColorChooser([](uint32_t, uint32_t& chosen) {
    chosen = 0x405060;
    return true;
  });
  settings->SwatchClick(swatch);
  settings->SpeedButton1Click();  // Apply
  EXPECT_EQ(program->form13()->RichEdit1->palette().color(QPalette::Base), QColor(0x40, 0x50, 0x60));
  EXPECT_EQ(program->form15()->RichEdit1->palette().color(QPalette::Base), QColor(0x40, 0x50, 0x60));
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// Lesson 3's exercises button opens Practice 3, which keeps its task while hidden.
TEST_F(ProgramTest, Lesson3OpensPractice3) {
  folder->Write("infowo3.txt", {"Переведите: Я знаю его.\tI know {him}."});
  auto program = Start();
  lx::Tform10* lesson = program->form10();
  lx::Tform11* practice = program->form11();
  ASSERT_NE(practice, nullptr);
  lesson->OpenFromMain();
  ASSERT_TRUE(lesson->SpeedButton4->isEnabled());
  EXPECT_EQ(lesson->SpeedButton4->toolTip(), "Упражнения Урока 3");
  EXPECT_FALSE(practice->isVisible());
  lesson->SpeedButton4->click();
  EXPECT_TRUE(practice->isVisible());
  EXPECT_EQ(practice->RichEdit1->cursorWidth(), 0);
  practice->RadioButtons[3]->click();
  practice->Button1Click();
  EXPECT_TRUE(practice->RichEdit1->PaneText().contains("Переведите: Я знаю его."));
  practice->SpeedButton4->click();
  EXPECT_FALSE(practice->isVisible());
  lesson->SpeedButton4->click();
  EXPECT_TRUE(practice->isVisible());
  EXPECT_TRUE(practice->RichEdit1->PaneText().contains("Переведите: Я знаю его."));
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// A hand-edited slot that is not a number: one message per damaged slot, however many
// paragraphs and lessons are drawn, and the defaults everywhere after it.
TEST_F(ProgramTest, ABadSlotIsReportedOnceAcrossEveryLesson) {
  std::vector<QString> lines(100);
  lines[2] = "big";  // base size
  lines[3] = "dark";  // text colour 1
  folder->Write("info.txt", lines);
  auto program = Start();
  for (const char* button : {"SpeedButton4", "SpeedButton5", "SpeedButton6"}) Button(program->form1(), button)->click();
  program->form10()->ShowTopic(3);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_TRUE(errors[0].contains("big") || errors[1].contains("big"));
  for (lx::LessonFrame* w : GrammarLessons(*program)) EXPECT_EQ(w->shownTopic() > 0, true);
}

// Each lesson opened at once after start-up shows its description from the top, and
// stays there once the window has been laid out and painted.
TEST_F(ProgramTest, EachLessonOpensAtOnceOnItsDescriptionFromTheTop) {
  folder->WriteText(3, 1, "Lesson 3 description", 200);
  folder->WriteText(4, 1, "Lesson 4 description", 200);
  folder->WriteText(5, 1, "Lesson 5 description", 200);
  auto program = Start();
  const char* buttons[] = {"SpeedButton4", "SpeedButton5", "SpeedButton6"};
  for (size_t k = 0; k < 3; ++k) {
    lx::LessonFrame* w = GrammarLessons(*program)[k];
    SCOPED_TRACE(buttons[k]);
    Button(program->form1(), buttons[k])->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    lx::test::WaitFor([] { return false; }, 200);
    EXPECT_EQ(w->shownTopic(), 1);
    EXPECT_GT(w->RichEdit1->verticalScrollBar()->maximum(), 0) << "the description should be long enough to scroll";
    EXPECT_EQ(w->RichEdit1->verticalScrollBar()->value(), 0);
    EXPECT_EQ(w->RichEdit1->textCursor().position(), 0);
    EXPECT_EQ(Title(*w), "Lesson " + std::to_string(k + 3) + " description");
  }
}

}  // namespace

// Lesson 2's exercises button opens Practice 2 with the focus on its mode choice,
// so z and x work at once; Practice 1 waits hidden for lesson 1.
TEST_F(ProgramTest, Lesson2ExercisesOpenPractice2) {
  auto program = Start();
  ASSERT_NE(program->form6(), nullptr);
  EXPECT_FALSE(program->form6()->isVisible());
  lx::Tform8* practice = program->form8();
  QToolButton* exercises = Button(program->form7(), "SpeedButton20");
  ASSERT_TRUE(exercises->isEnabled());
  EXPECT_EQ(exercises->toolTip(), "Упражнения Урока 2");
  exercises->click();
  EXPECT_TRUE(practice->isVisible());
  EXPECT_EQ(practice->focusProxy(), practice->RadioButton1);
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}
