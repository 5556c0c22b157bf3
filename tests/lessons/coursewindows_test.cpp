// The three lesson windows over the shipped texts: every button shows its own
// topic, the descriptions carry their pictures, and the verb topic's link phrases
// are found and answer clicks.
#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>
#include <QTextFragment>
#include <filesystem>

#include "app/core/qtext.h"
#include "fixture.h"
#include "lessons/Unit7.h"
#include "lessons/Unit10.h"
#include "lessons/Unit12.h"
#include "lessons/Unit14.h"
#include "support/qtapp.h"
#include "text/picturetable.h"
#include "text/styletables.h"

namespace {

// Inline pictures in the pane.
int PictureCount(const lx::RichPane& pane) {
  int count = 0;
  for (QTextBlock b = pane.document()->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) ++count;
  return count;
}

// The first line in the title style (code 2); the descriptions open with a paragraph before it.
QString TitleOf(const lx::RichPane& pane) {
  const QColor title = QColor::fromRgb(lx::styles::lesson3().codes[2].colour);
  for (QTextBlock b = pane.document()->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().foreground().color() == title) return b.text();
  return {};
}

class CourseWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    previous = lx::SetTextErrorReporter([this](const QString& m) { errors.push_back(m); });
    // The texts come from the sources, the pictures from the build's data folder.
    pictures.Load(lx::DataDir(std::filesystem::current_path().string()));
    context.dataDir = lx::DataDir(LEXITAR_SOURCE_DIR);
    context.pictureTable = &pictures;
    context.settings = &settings;
    context.soundIndex = &lx::test::TinySoundIndex();
    context.pickHandlers = lx::test::RecordingHandlers(record);
  }
  void TearDown() override { lx::SetTextErrorReporter(previous); }

  lx::TextErrorReporter previous;
  std::vector<QString> errors;
  lx::PictureTable pictures;
  lx::SettingsSlots settings;
  lx::test::PickRecord record;
  lx::LessonContext context;
};

TEST_F(CourseWindows, EveryButtonShowsItsOwnTopic) {
  lx::Tform10 l3(context);
  lx::Tform12 l4(context);
  lx::Tform14 l5(context);
  for (lx::LessonFrame* w : std::initializer_list<lx::LessonFrame*>{&l3, &l4, &l5}) {
    SCOPED_TRACE(w->windowTitle().toStdString());
    w->SpeedButton1Click();
    EXPECT_TRUE(TitleOf(*w->RichEdit1).startsWith("Урок " + w->windowTitle().right(1))) << TitleOf(*w->RichEdit1).toStdString();
    // The help and exercises pictures and the illustration.
    EXPECT_GE(PictureCount(*w->RichEdit1), 3);
    for (const lx::TopicButton& topic : w->layout().topics) {
      w->TopicButtonOf(topic.id)->click();
      // The title names the subject of the button (its first word, in any case; the
      // captions write е for ё, as the buttons always have).
      const auto folded = [](const QString& text) { return text.toLower().replace(QChar(0x451), QChar(0x435)); };
      const QString first = folded(topic.caption.section(' ', 0, 0));
      EXPECT_TRUE(folded(TitleOf(*w->RichEdit1)).contains(first))
          << topic.name << ": " << TitleOf(*w->RichEdit1).toStdString();
      EXPECT_GT(w->RichEdit1->TextLength(), 500) << topic.name;
    }
  }
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

// Lesson 2 over its shipped texts: the description with its eight pictures, and a
// heading for every letter and combination.
TEST_F(CourseWindows, Lesson2ShowsEveryTopic) {
  lx::Tform7 w(context);
  w.SpeedButton1Click();
  EXPECT_EQ(PictureCount(*w.RichEdit1), 8);
  for (const auto& l : lx::Tform7::Letters()) {
    w.findChild<QToolButton*>(l.name)->click();
    const QString caption = QString::fromUtf8(l.caption);
    EXPECT_EQ(lx::test::FirstLine(*w.RichEdit1), (caption.left(1) + " " + caption.mid(1)).toStdString());
    EXPECT_GT(w.RichEdit1->TextLength(), 150) << l.name;
  }
  for (const lx::TopicButton& topic : w.layout().topics) {
    w.TopicButtonOf(topic.id)->click();
    EXPECT_TRUE(QString::fromStdString(lx::test::FirstLine(*w.RichEdit1)).startsWith("Звучание")) << topic.name;
  }
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0].toStdString());
}

TEST_F(CourseWindows, VerbTopicLinks) {
  lx::Tform10 w(context);
  std::vector<QString> opened;
  w.SetDocumentOpener([&](const QString& path) { opened.push_back(path); });
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.SpeedButton6Click();
  ASSERT_FALSE(w.spreadsheetLink().empty());
  ASSERT_FALSE(w.wordListLink().empty());
  const QString text = w.RichEdit1->PaneText();
  EXPECT_EQ(text.mid(w.spreadsheetLink().first, 9), "verbs.xls");
  EXPECT_EQ(text.mid(w.wordListLink().first, 9), "verbs.txt");
  // A click on "здесь" of the first phrase, as the learner makes it.
  const int offset = w.spreadsheetLink().first + static_cast<int>(QString("verbs.xls (щелкните з").size());
  QTextCursor cursor(w.RichEdit1->document());
  cursor.setPosition(w.RichEdit1->PositionOfOffset(offset));
  w.RichEdit1->setTextCursor(cursor);
  w.RichEdit1->ensureCursorVisible();
  QTest::mouseClick(w.RichEdit1->viewport(), Qt::LeftButton, {}, w.RichEdit1->cursorRect(cursor).center());
  ASSERT_EQ(opened.size(), 1u);
  // Both verb files stand beside the program, not in its data folder.
  EXPECT_TRUE(opened[0].endsWith("/verbs.xls"));
  EXPECT_FALSE(opened[0].endsWith("data/verbs.xls"));
  EXPECT_EQ(record.entries, std::vector<std::string>{lx::test::Cp("здесь")});
}

}  // namespace
