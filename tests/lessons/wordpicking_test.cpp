// Word picking through a real pane: a mouse press at a character boundary, and
// what the click asked the dictionary and the sound service to do.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/core/qtext.h"
#include "fixture.h"
#include "support/qtapp.h"
#include "text/panepicker.h"
#include "text/richpane.h"

namespace {

using lx::test::Cp;

// The centre of the caret placed at `offset` of the first line: a press there
// leaves the caret at that boundary.
QPoint PointAt(lx::RichPane& pane, int offset) {
  QTextCursor cursor(pane.document());
  cursor.setPosition(pane.PositionOfOffset(offset));
  return pane.cursorRect(cursor).center();
}

struct PickCase {
  const char* name;
  const char* text;
  int caret;                  // offset the press leaves the caret at; -1: far right of the line
  const char* lookedUp;       // key put into the entry field and looked up; nullptr: none
  const char* played;         // sound index word (or transcription) played directly; nullptr: none
};

const PickCase kCases[] = {
    {"space after a comma", "Hello, world", 6, nullptr, nullptr},
    {"inside a word", "Hello, world", 4, "hello", nullptr},
    {"just behind a word", "table and chair", 5, "table", nullptr},
    {"transcription", "table [teIbl] stol", 9, nullptr, "teIbl"},
    {"lone letter b", "letter b here", 7, "b", "bi:"},
    {"lone article a", "a cat", 0, "a", nullptr},
    {"lone digit", "7 days", 1, "7", nullptr},
    {"apostrophe", "I don't know", 4, "dont", nullptr},
    {"past the end of a line", "the table", -1, nullptr, nullptr},
};

TEST(WordPicking, PressesInARealPane) {
  lx::test::App();
  for (const PickCase& c : kCases) {
    SCOPED_TRACE(c.name);
    lx::RichPane pane;
    pane.setReadOnly(true);
    pane.resize(500, 120);
    pane.setPlainText(QString::fromUtf8(c.text) + "\nsecond line");
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    lx::test::PickRecord record;
    // Deleted before the pane, whose destruction it must not watch.
    auto picker = std::make_unique<lx::PanePicker>(pane, lx::test::TinySoundIndex(), lx::WordChars::Standard,
                                                   lx::test::RecordingHandlers(record));
    const int length = static_cast<int>(QString::fromUtf8(c.text).size());
    const QPoint at = c.caret >= 0 ? PointAt(pane, c.caret)
                                   : QPoint(pane.viewport()->width() - 5, PointAt(pane, length).y());
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, at);
    if (c.caret >= 0) EXPECT_EQ(pane.CaretOffset(), c.caret);
    else EXPECT_EQ(pane.CaretOffset(), length);
    EXPECT_EQ(pane.cursorWidth(), 0);

    if (c.lookedUp) {
      EXPECT_EQ(record.entries, std::vector<std::string>{Cp(c.lookedUp)});
      EXPECT_EQ(record.lookUps, 1);
    } else {
      EXPECT_TRUE(record.entries.empty());
      EXPECT_EQ(record.lookUps, 0);
    }
    if (c.played) {
      const auto& index = lx::test::TinySoundIndex();
      const int entry = std::max(index.FindWord(c.played), index.FindTranscription(c.played));
      EXPECT_EQ(record.played, std::vector<int>{entry});
    } else {
      EXPECT_TRUE(record.played.empty());
    }
  }
}

}  // namespace
