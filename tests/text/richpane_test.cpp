#include "text/richpane.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "support/qtapp.h"

namespace lx {
namespace {

class RichPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    pane = std::make_unique<RichPane>();
    pane->resize(240, 400);
    pane->show();
  }
  // Builds the pane from paragraphs.
  void Fill(const QStringList& paragraphs) {
    pane->ClearPane();
    pane->SetLastParagraphText(paragraphs.value(0));
    for (qsizetype i = 1; i < paragraphs.size(); ++i) pane->AppendParagraph(paragraphs[i]);
  }
  QImage Picture() const {
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
  }
  std::unique_ptr<RichPane> pane;
};

TEST_F(RichPaneTest, OffsetsCountLineBreaksAsTwo) {
  Fill({"ab", "", "cdef"});
  EXPECT_EQ(pane->PaneText(), QString("ab\r\n\r\ncdef"));
  EXPECT_EQ(pane->TextLength(), 10);
  struct Case { int offset, position; };
  // Offsets 3 and 5 lie between CR and LF: they map to the end of their paragraph.
  const Case cases[] = {{0, 0}, {2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 4}, {8, 6}, {10, 8}, {99, 8}};
  for (const Case& c : cases) EXPECT_EQ(pane->PositionOfOffset(c.offset), c.position) << c.offset;
  for (int offset : {0, 1, 2, 4, 6, 7, 10}) EXPECT_EQ(pane->OffsetOfPosition(pane->PositionOfOffset(offset)), offset);
  EXPECT_EQ(pane->LastParagraphStart(), 6);
}

TEST_F(RichPaneTest, PictureTakesThePlaceOfOneCharacter) {
  Fill({"ab", "x?yz"});
  ASSERT_TRUE(pane->ReplaceCharByImage(5, Picture()));
  EXPECT_EQ(pane->TextLength(), 8);
  const int pos = pane->PositionOfOffset(5);
  QTextCursor c(pane->document());
  c.setPosition(pos + 1);
  EXPECT_TRUE(c.charFormat().isImageFormat());
  EXPECT_EQ(pane->document()->characterAt(pane->PositionOfOffset(6)), QChar('y'));
  EXPECT_EQ(pane->OffsetOfPosition(pos + 1), 6);
  // A selection of one character works the same way; a line break or longer selection does not.
  pane->SelectRange(7, 1);
  EXPECT_TRUE(pane->ReplaceSelectionByImage(Picture()));
  EXPECT_EQ(pane->TextLength(), 8);
  pane->SelectRange(0, 2);
  EXPECT_FALSE(pane->ReplaceSelectionByImage(Picture()));
  EXPECT_FALSE(pane->ReplaceCharByImage(2, Picture()));
  EXPECT_FALSE(pane->ReplaceCharByImage(0, QImage()));
  EXPECT_EQ(pane->PaneText().left(4), QString("ab\r\n"));
}

TEST_F(RichPaneTest, VisualLinesOfWrappedParagraphs) {
  const QString longText = QString("word ").repeated(40).trimmed();
  Fill({"first", longText, "", "last"});
  const int lines = pane->LineCount();
  ASSERT_GT(lines, 4) << "the long paragraph must wrap";
  const QString text = pane->PaneText();
  int wrappedLines = 0;
  for (int line = 0; line < lines; ++line) {
    const int start = pane->LineStart(line);
    const QString lineText = pane->LineText(line);
    EXPECT_EQ(text.mid(start, lineText.size()), lineText) << line;
    if (lineText.startsWith("word")) ++wrappedLines;
    // The caret on the line's second character is in column 1 of that line.
    pane->SetCaretOffset(start + (lineText.isEmpty() ? 0 : 1));
    EXPECT_EQ(pane->CaretLine(), line);
    EXPECT_EQ(pane->CaretColumn(), lineText.isEmpty() ? 0 : 1);
  }
  EXPECT_EQ(wrappedLines, lines - 3);
  EXPECT_EQ(pane->LineText(lines - 1), QString("last"));
  EXPECT_EQ(pane->LineStart(lines - 1), text.size() - 4);
  EXPECT_TRUE(pane->LineText(lines).isEmpty());
  EXPECT_EQ(pane->LineStart(lines), -1);
}

TEST_F(RichPaneTest, FormatsOfSelection) {
  Fill({"abcdef"});
  pane->SelectRange(1, 3);
  pane->SetSelectionSize(17);
  pane->SetSelectionColor(QColor(0x12, 0x34, 0x56));
  pane->SetSelectionFace("PhoneticTM");
  pane->SelectRange(2, 1);
  pane->SetSelectionFace(QString());
  auto at = [&](int offset) {
    QTextCursor c(pane->document());
    c.setPosition(pane->PositionOfOffset(offset) + 1);
    return c.charFormat();
  };
  EXPECT_FALSE(at(0).hasProperty(QTextFormat::FontPointSize));
  EXPECT_EQ(at(1).fontPointSize(), 17);
  EXPECT_EQ(at(3).foreground().color(), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(at(1).fontFamilies().toStringList(), QStringList{"PhoneticTM"});
  EXPECT_FALSE(at(2).hasProperty(QTextFormat::FontFamilies));
  EXPECT_EQ(at(2).fontPointSize(), 17) << "removing the face keeps the size";
  EXPECT_FALSE(at(4).hasProperty(QTextFormat::ForegroundBrush));
}

TEST_F(RichPaneTest, LoadsWindows1251TextAndKeepsIndent) {
  QTemporaryDir dir;
  const QString path = dir.filePath("t.txt");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\xcf\xf0\xe8\xe2\xe5\xf2\r\n\r\nmir\r\n");  // "Привет" in Windows-1251
  f.close();
  pane->SetFirstLineIndent(20);
  ASSERT_TRUE(pane->LoadTextFile(path));
  EXPECT_EQ(pane->PaneText(), QString::fromUtf8("Привет\r\n\r\nmir\r\n"));
  EXPECT_EQ(pane->document()->lastBlock().blockFormat().textIndent(), 20);
  pane->AppendParagraph("more");
  EXPECT_EQ(pane->document()->lastBlock().blockFormat().textIndent(), 20);
  EXPECT_FALSE(pane->LoadTextFile(dir.filePath("missing.txt")));
}

TEST_F(RichPaneTest, ReadOnlyWithHiddenCaret) {
  EXPECT_TRUE(pane->isReadOnly());
  pane->HideCaret();
  EXPECT_EQ(pane->cursorWidth(), 0);
}

}  // namespace
}  // namespace lx
