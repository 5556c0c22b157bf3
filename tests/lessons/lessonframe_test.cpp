// The lesson window frame over a small course folder: controls, showing texts,
// closing and reopening, the pane's background.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <functional>
#include <memory>

#include "app/core/settingsslots.h"
#include "fixture.h"
#include "lessons/Unit10.h"
#include "lessons/Unit12.h"
#include "lessons/Unit14.h"
#include "support/qtapp.h"

namespace {

struct WindowCase {
  const char* name;
  int lesson;
  std::function<std::unique_ptr<lx::LessonFrame>(lx::LessonContext)> make;
  QString caption;
  QSize size;
  int firstTop;
  const char* closeName;
  QString closeHint;
  // Topic buttons top to bottom: name and id.
  std::vector<std::pair<const char*, int>> topics;
};

std::vector<WindowCase> Windows() {
  return {
      {"lesson 3", 3, [](lx::LessonContext c) { return std::make_unique<lx::Tform10>(std::move(c)); },
       "Lexitar - Lesson 3", {815, 593}, 48, "SpeedButton8", "Закрыть Урок 3",
       {{"SpeedButton14", 2}, {"SpeedButton15", 3}, {"SpeedButton16", 4}, {"SpeedButton17", 5}, {"SpeedButton5", 6},
        {"SpeedButton3", 7}, {"SpeedButton2", 8}, {"SpeedButton7", 9}, {"SpeedButton6", 10}}},
      {"lesson 4", 4, [](lx::LessonContext c) { return std::make_unique<lx::Tform12>(std::move(c)); },
       "Lexitar - Lesson 4", {926, 593}, 47, "SpeedButton6", "Закрыть Урок 4",
       {{"SpeedButton14", 2}, {"SpeedButton15", 3}, {"SpeedButton16", 4}, {"SpeedButton17", 5}, {"SpeedButton5", 6},
        {"SpeedButton3", 7}, {"SpeedButton7", 9}, {"SpeedButton2", 8}, {"SpeedButton8", 10}}},
      {"lesson 5", 5, [](lx::LessonContext c) { return std::make_unique<lx::Tform14>(std::move(c)); },
       "Lexitar - Lesson 5", {811, 594}, 48, "SpeedButton6", "Закрыть Урок 5",
       {{"SpeedButton14", 2}, {"SpeedButton15", 3}, {"SpeedButton16", 4}, {"SpeedButton17", 5}, {"SpeedButton5", 6},
        {"SpeedButton3", 7}, {"SpeedButton7", 9}, {"SpeedButton2", 8}}},
  };
}

class LessonFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    folder = std::make_unique<lx::test::CourseFolder>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    folder->WriteAllTexts();
  }
  lx::LessonContext Context() {
    lx::LessonContext c;
    c.dataDir = lx::DataDir(folder->root().string());
    c.settings = &settings;
    c.soundIndex = &lx::test::TinySoundIndex();
    c.pickHandlers = lx::test::RecordingHandlers(record);
    return c;
  }
  static std::string Title(lx::LessonFrame& w) { return lx::test::FirstLine(*w.RichEdit1); }

  std::unique_ptr<lx::test::CourseFolder> folder;
  lx::SettingsSlots settings;
  lx::test::PickRecord record;
};

TEST_F(LessonFrameTest, ControlsAndTheirPlaces) {
  for (const WindowCase& c : Windows()) {
    SCOPED_TRACE(c.name);
    auto w = c.make(Context());
    EXPECT_EQ(w->windowTitle(), c.caption);
    EXPECT_EQ(w->size(), c.size);
    EXPECT_EQ(w->Panel1->geometry(), QRect(0, 0, 217, c.size.height()));
    EXPECT_EQ(w->Panel1->palette().color(QPalette::Window), QColor(220, 249, 216));
    EXPECT_EQ(w->RichEdit1->geometry(), QRect(217, 0, c.size.width() - 217, c.size.height()));
    EXPECT_EQ(w->RichEdit1->objectName(), "RichEdit1");
    EXPECT_TRUE(w->RichEdit1->isReadOnly());
    EXPECT_EQ(w->shownTopic(), 0);
    EXPECT_FALSE(w->descriptionSeen());

    struct Hint {
      const char* name;
      QString hint;
    } hints[] = {{"SpeedButton1", QString("Описание Урока %1").arg(c.lesson)},
                 {"SpeedButton40", "Окно помощи"},
                 {"SpeedButton41", "Окно словаря"},
                 {"SpeedButton42", "Окно настроек"},
                 {c.closeName, c.closeHint}};
    for (const Hint& h : hints) {
      auto* b = w->findChild<QToolButton*>(h.name);
      ASSERT_NE(b, nullptr) << h.name;
      EXPECT_EQ(b->toolTip(), h.hint) << h.name;
      EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << h.name;
    }
    EXPECT_EQ(w->SpeedButton1->size(), QSize(89, 25));
    EXPECT_EQ(w->SpeedButton40->size(), QSize(33, 33));
    EXPECT_TRUE(w->SpeedButton41->isCheckable());
    EXPECT_TRUE(w->SpeedButton42->isCheckable());
    // No practice window yet: the exercises button says so instead of doing nothing.
    EXPECT_EQ(w->SpeedButton4->size(), QSize(153, 25));
    EXPECT_EQ(w->SpeedButton4->text(), "Упражнения");
    EXPECT_FALSE(w->SpeedButton4->isEnabled());
    EXPECT_TRUE(w->SpeedButton4->toolTip().startsWith(QString("Упражнения Урока %1").arg(c.lesson)));

    int y = c.firstTop;
    for (const auto& [name, id] : c.topics) {
      auto* b = w->findChild<QToolButton*>(name);
      ASSERT_NE(b, nullptr) << name;
      EXPECT_EQ(b->geometry(), QRect(8, y, 201, 33)) << name;
      EXPECT_EQ(w->TopicButtonOf(id), b) << name;
      // Each button shows its own text file.
      b->click();
      EXPECT_EQ(w->shownTopic(), id) << name;
      EXPECT_EQ(Title(*w), QString("Lesson %1 text %2").arg(c.lesson).arg(id).toStdString()) << name;
      y += 40;
    }
    // The exercises and close buttons sit under the last topic, inside the panel.
    EXPECT_EQ(w->SpeedButton4->y(), y + 4);
    EXPECT_EQ(w->CloseButton->y(), y);
    EXPECT_LE(w->CloseButton->geometry().right(), 209);

    w->show();
    w->resize(700, 400);
    EXPECT_EQ(w->RichEdit1->geometry(), QRect(217, 0, 700 - 217, 400));
    EXPECT_EQ(w->Panel1->height(), 400);
  }
}

TEST_F(LessonFrameTest, ShownTopicIsNotRebuiltAndKeepsItsScrollPosition) {
  lx::Tform10 w(Context());
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.SpeedButton16Click();
  QScrollBar* bar = w.RichEdit1->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 100);
  bar->setValue(100);
  // A rebuild would read the file again and show the new title.
  folder->WriteText(3, 4, "Rewritten");
  w.SpeedButton16Click();
  EXPECT_EQ(Title(w), "Lesson 3 text 4");
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(w.RichEdit1->cursorWidth(), 0);

  // A, B, A: A is built again and shown from its top.
  w.SpeedButton17Click();
  EXPECT_EQ(Title(w), "Lesson 3 text 5");
  EXPECT_EQ(bar->value(), 0);
  bar->setValue(60);
  w.SpeedButton16Click();
  EXPECT_EQ(Title(w), "Rewritten");
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(w.RichEdit1->CaretOffset(), 0);
  EXPECT_EQ(w.RichEdit1->cursorWidth(), 0);
}

TEST_F(LessonFrameTest, DescriptionAfterCloseAndReopen) {
  lx::Tform12 w(Context());
  w.OpenFromMain();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.shownTopic(), 1);
  EXPECT_TRUE(w.descriptionSeen());
  EXPECT_EQ(Title(w), "Lesson 4 text 1");
  w.SpeedButton3Click();
  EXPECT_EQ(Title(w), "Lesson 4 text 7");
  // The close button hides the window; its state survives.
  w.CloseButton->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.shownTopic(), 7);
  EXPECT_EQ(Title(w), "Lesson 4 text 7");
  // Reopening shows the description again, from its top.
  w.RichEdit1->verticalScrollBar()->setValue(30);
  w.OpenFromMain();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.shownTopic(), 1);
  EXPECT_EQ(Title(w), "Lesson 4 text 1");
  EXPECT_EQ(w.RichEdit1->verticalScrollBar()->value(), 0);
  // The window's own close box hides it too.
  w.close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.shownTopic(), 1);
}

TEST_F(LessonFrameTest, PaneBackgroundFollowsSlotOne) {
  struct Case {
    const char* name;
    std::string slot1;
    QColor expected;
  } cases[] = {{"empty slot", "", QColor(216, 230, 235)},
               {"stored blue-green-red", std::to_string(lx::StoredColor(10, 20, 200)), QColor(10, 20, 200)},
               {"not a number", "abc", QColor(216, 230, 235)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.set(1, c.slot1);
    lx::Tform14 w(Context());
    EXPECT_EQ(w.RichEdit1->palette().color(QPalette::Base), c.expected);
  }
  // Apply changes the background at once.
  settings.set(1, "");
  lx::Tform14 w(Context());
  settings.set(1, std::to_string(lx::StoredColor(1, 2, 3)));
  w.ApplySettings(settings);
  EXPECT_EQ(w.RichEdit1->palette().color(QPalette::Base), QColor(1, 2, 3));
}

TEST_F(LessonFrameTest, MissingTextIsReported) {
  std::vector<QString> errors;
  auto previous = lx::SetTextErrorReporter([&](const QString& m) { errors.push_back(m); });
  std::filesystem::remove(folder->root() / "data" / "texts" / "les5" / "t03.txt");
  lx::Tform14 w(Context());
  w.SpeedButton15Click();
  lx::SetTextErrorReporter(previous);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains("t03.txt"));
  EXPECT_EQ(w.shownTopic(), 3);
  EXPECT_TRUE(w.RichEdit1->isVisibleTo(&w));
}

}  // namespace
