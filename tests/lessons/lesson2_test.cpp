// Lesson 2 over a small course folder: its buttons, the letter and combination
// topics with their sizes, colours and focus rules, a click on a marked example,
// and the transcription label that the dictionary fills.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <memory>

#include "app/core/qtext.h"
#include "dictionary/Unit9.h"
#include "fixture.h"
#include "lessons/Unit7.h"
#include "support/qtapp.h"

namespace {

using lx::test::Cp;
using lx::Tform7;

class Lesson2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    folder = std::make_unique<lx::test::CourseFolder>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    folder->Write("texts/les2/t01.txt", {"#3Первый абзац описания.", "", "#5Урок 2 - чтение английских букв и слов.",
                                          "", "#3Текст описания."});
    for (const auto& l : Tform7::Letters()) {
      // Each letter topic names its letter in its transcription line, so a test sees which file was shown.
      char name[32];
      std::snprintf(name, sizeof name, "texts/les2/t%02d.txt", l.id);
      folder->Write(name, {"#2[eI]#1 - открытый слог.#3 (m#8a#3ke, n#8a#3me)",
                           "#2[x]#1 - закрытый слог.#3 (c#8a#3t, " + QString::fromUtf8(l.caption) + ")"});
    }
    std::vector<QString> combination{"#5Звучание некоторых сочетаний согласных букв."};
    for (int n = 0; n < 60; ++n) combination.push_back("#1ck - #2[k] #1(после краткой гласной) #3(ba#8ck#3, cl#8o#3ck)");
    for (int id = Tform7::kConsonants; id <= Tform7::kOthers; ++id)
      folder->Write("texts/les2/t" + std::to_string(id) + ".txt", combination);
  }
  lx::LessonContext Context() {
    lx::LessonContext c;
    c.dataDir = lx::DataDir(folder->root().string());
    c.settings = &settings;
    c.soundIndex = &lx::test::TinySoundIndex();
    c.pickHandlers = lx::test::RecordingHandlers(record);
    return c;
  }
  std::unique_ptr<Tform7> Make() { return std::make_unique<Tform7>(Context()); }
  static QToolButton* Button(QWidget& w, const char* name) { return w.findChild<QToolButton*>(name); }

  // The format of the character `at` characters into the first occurrence of `text`.
  static QTextCharFormat FormatIn(const lx::RichPane& pane, const QString& text, int at = 0) {
    const int position = static_cast<int>(pane.document()->toPlainText().indexOf(text));
    EXPECT_GE(position, 0) << text.toStdString();
    QTextCursor c(pane.document());
    c.setPosition(position + at + 1);
    return c.charFormat();
  }

  std::unique_ptr<lx::test::CourseFolder> folder;
  lx::SettingsSlots settings;
  lx::test::PickRecord record;
};

TEST_F(Lesson2Test, ButtonsAndTheirPlaces) {
  auto w = Make();
  EXPECT_EQ(w->windowTitle(), "Lexitar - Lesson 2");
  EXPECT_EQ(w->size(), QSize(688, 555));
  for (const auto& l : Tform7::Letters()) {
    SCOPED_TRACE(l.name);
    QToolButton* b = Button(*w, l.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8(l.caption));
    EXPECT_EQ(b->geometry(), QRect(l.x, l.y, 57, 41));
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
  }
  const struct {
    const char* name;
    const char* caption;
    int y;
  } combinations[] = {{"SpeedButton31", "Сочетания согласных", 280},
                      {"SpeedButton32", "Сочетания с R на конце", 320},
                      {"SpeedButton33", "Сочетания некоторых гласных", 360},
                      {"SpeedButton34", "Другие сочетания", 400}};
  for (const auto& c : combinations) {
    SCOPED_TRACE(c.name);
    QToolButton* b = Button(*w, c.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(b->geometry(), QRect(8, c.y, 201, 33));
  }
  const struct {
    const char* name;
    const char* caption;
    const char* hint;
  } frame[] = {{"SpeedButton18", "Урок 2", "Описание Урока 2"},
               {"SpeedButton40", "", "Окно помощи"},
               {"SpeedButton41", "", "Окно словаря"},
               {"SpeedButton42", "", "Окно настроек"},
               {"SpeedButton4", "", "Закрыть Урок 2"}};
  for (const auto& f : frame) {
    SCOPED_TRACE(f.name);
    QToolButton* b = Button(*w, f.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8(f.caption));
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(f.hint));
  }
  // Practice 2 is not there yet: the exercises button says so and cannot be pressed.
  QToolButton* exercises = Button(*w, "SpeedButton20");
  ASSERT_NE(exercises, nullptr);
  EXPECT_EQ(exercises->text(), "Упражнения");
  EXPECT_FALSE(exercises->isEnabled());
  EXPECT_TRUE(exercises->toolTip().startsWith("Упражнения Урока 2"));
  // The practice window, once it exists, enables it.
  QWidget practice;
  w->SetPracticeWindow(&practice, nullptr);
  EXPECT_TRUE(exercises->isEnabled());
  EXPECT_EQ(exercises->toolTip(), "Упражнения Урока 2");

  EXPECT_EQ(w->RichEdit1->font().pointSize(), 12);
  EXPECT_TRUE(w->RichEdit1->font().bold());
  w->show();
  for (const QSize size : {QSize(688, 555), QSize(900, 700)}) {
    w->resize(size);
    EXPECT_EQ(w->RichEdit1->geometry(), QRect(217, 0, size.width() - 249, size.height()));
  }
}

TEST_F(Lesson2Test, EachLetterButtonShowsItsLetter) {
  auto w = Make();
  w->show();
  for (const auto& l : Tform7::Letters()) {
    SCOPED_TRACE(l.name);
    QTest::mouseClick(Button(*w, l.name), Qt::LeftButton);
    const QString caption = QString::fromUtf8(l.caption);
    EXPECT_EQ(lx::test::FirstLine(*w->RichEdit1), (caption.left(1) + " " + caption.mid(1)).toStdString());
    EXPECT_TRUE(w->RichEdit1->toPlainText().contains("(cat, " + caption + ")"));
    EXPECT_TRUE(w->RichEdit1->isVisible());
    EXPECT_EQ(w->RichEdit1->cursorWidth(), 0);
  }
}

TEST_F(Lesson2Test, LetterTopicSizesAndColours) {
  auto w = Make();
  w->SpeedButton2Click();  // Aa
  const lx::RichPane& pane = *w->RichEdit1;
  // Heading in code 5, then made the transcriptions' size.
  EXPECT_EQ(FormatIn(pane, "A a").fontPointSize(), 14);
  EXPECT_EQ(FormatIn(pane, "A a").foreground().color(), QColor(200, 0, 32));
  const QTextCharFormat transcription = FormatIn(pane, "[eI]", 1);
  EXPECT_EQ(transcription.fontPointSize(), 14);
  EXPECT_EQ(transcription.fontFamilies().toStringList().value(0), "PhoneticTM");
  EXPECT_EQ(transcription.foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(FormatIn(pane, " - открытый").fontPointSize(), 12);
  // "make": the marked letter in RGB 128, 0, 64, the rest of the word in code 3's colour.
  const QTextCharFormat marked = FormatIn(pane, "make", 1);
  EXPECT_EQ(marked.fontPointSize(), 12);
  EXPECT_EQ(marked.foreground().color(), QColor(128, 0, 64));
  for (int at : {0, 2, 3}) {
    const QTextCharFormat rest = FormatIn(pane, "make", at);
    EXPECT_EQ(rest.fontPointSize(), 12) << at;
    EXPECT_EQ(rest.foreground().color(), QColor(0x20, 0x00, 0x40)) << at;
  }

  // With slot 3 at 16 the letter heading is at 18, a combination heading at 17.
  settings.set(3, "16");
  w->SpeedButton2Click();
  EXPECT_EQ(FormatIn(pane, "A a").fontPointSize(), 18);
  EXPECT_EQ(FormatIn(pane, "[eI]", 1).fontPointSize(), 18);
  EXPECT_EQ(FormatIn(pane, "make", 1).fontPointSize(), 16);
  w->SpeedButton14Click();
  EXPECT_EQ(FormatIn(pane, "Звучание").fontPointSize(), 17);
  EXPECT_EQ(FormatIn(pane, "[k]", 1).fontPointSize(), 18);
  EXPECT_EQ(FormatIn(pane, "back", 2).foreground().color(), QColor(128, 0, 64));
}

TEST_F(Lesson2Test, EveryPressRendersTheTextAgain) {
  auto w = Make();
  w->SpeedButton2Click();
  const QString first = w->RichEdit1->toHtml();
  w->SpeedButton2Click();
  EXPECT_EQ(w->RichEdit1->toHtml(), first);  // twice looks the same

  // No topic is remembered: a text changed on disk shows at the next press of its button.
  const struct {
    const char* file;
    std::function<void()> press;
  } cases[] = {{"texts/les2/t01.txt", [&] { w->SpeedButton1Click(); }},
               {"texts/les2/t02.txt", [&] { w->SpeedButton2Click(); }},
               {"texts/les2/t14.txt", [&] { w->SpeedButton15Click(); }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    c.press();
    folder->Write(c.file, {"#5Новый текст.", "#2[k]#1 - правило.#3 (b#8a#3ck)"});
    c.press();
    EXPECT_TRUE(w->RichEdit1->toPlainText().contains("Новый текст."));
  }
}

TEST_F(Lesson2Test, FocusAndScrollRules) {
  auto w = Make();
  auto* elsewhere = new QLineEdit(w->Panel1);  // something else that holds the focus
  elsewhere->setGeometry(8, 520, 100, 20);
  w->resize(688, 300);  // short, so that a combination topic scrolls
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  auto focusElsewhere = [&] {
    elsewhere->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(elsewhere->hasFocus());
  };
  QScrollBar* bar = w->RichEdit1->verticalScrollBar();

  // The first description leaves the focus alone; the next ones take it.
  focusElsewhere();
  w->SpeedButton1Click();
  EXPECT_TRUE(elsewhere->hasFocus());
  EXPECT_TRUE(w->descriptionSeen());
  w->SpeedButton1Click();
  EXPECT_TRUE(w->RichEdit1->hasFocus());

  // A letter topic never moves the focus.
  focusElsewhere();
  w->SpeedButton3Click();
  EXPECT_TRUE(elsewhere->hasFocus());

  // Three combination topics start at the top and take the focus...
  for (auto press : {&Tform7::SpeedButton14Click, &Tform7::SpeedButton16Click, &Tform7::SpeedButton17Click}) {
    focusElsewhere();
    (w.get()->*press)();
    EXPECT_TRUE(w->RichEdit1->hasFocus());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
  }
  // ... the one with R only shows the pane.
  focusElsewhere();
  w->SpeedButton15Click();
  EXPECT_TRUE(elsewhere->hasFocus());
  EXPECT_TRUE(w->RichEdit1->isVisible());
  EXPECT_EQ(w->RichEdit1->cursorWidth(), 0);
}

TEST_F(Lesson2Test, AClickOnAMarkedLetterPicksTheWholeWord) {
  auto w = Make();
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
  w->SpeedButton2Click();
  lx::RichPane& pane = *w->RichEdit1;
  const int make = static_cast<int>(pane.document()->toPlainText().indexOf("make"));
  ASSERT_GE(make, 0);
  // Press on the middle of the marked "a": the caret lands next to it.
  QTextCursor c(pane.document());
  c.setPosition(make + 1);
  const QRect left = pane.cursorRect(c);
  c.setPosition(make + 2);
  const QRect right = pane.cursorRect(c);
  QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, QPoint((left.x() + right.x()) / 2, left.center().y()));
  EXPECT_EQ(record.entries, std::vector<std::string>{"make"});
  EXPECT_EQ(record.lookUps, 1);
}

TEST_F(Lesson2Test, TheLabelShowsTheTranscriptionOfTheLastWordLookedUp) {
  lx::DictTable english;
  english.Append({"cat", "kxt", "<span class=ps>n</span> " + Cp("кошка") + "<br>", ""});
  english.Append({"make", "meIk", "<span class=ps>v</span> " + Cp("делать") + "<br>", ""});
  english.Append({"the", "", Cp("артикль") + "<br>", ""});
  lx::Dict2Table russian;
  russian.Append({Cp("кошка"), "cat<br>"});
  lx::SoundIndex noSounds;
  lx::DictionaryContext dc;
  dc.dictTable = &english;
  dc.dict2Table = &russian;
  dc.soundIndex = &noSounds;
  dc.settings = &settings;
  lx::Tform9 dictionary(dc);
  auto w = Make();
  dictionary.SetTranscriptionLabel(w->Label1);
  const struct {
    const char* query;
    const char* label;
  } steps[] = {{"make", "[meIk]"}, {"Cat", "[kxt]"}, {"the", ""}, {"cat", "[kxt]"}, {"кошка", ""}, {"", ""}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.query);
    dictionary.Edit1->setText(QString::fromUtf8(s.query));
    dictionary.LookUp();
    EXPECT_EQ(w->Label1->text(), QString::fromUtf8(s.label));
  }
  EXPECT_EQ(w->Label1->font().family(), "PhoneticTM");
}

}  // namespace
