#include "text/renderer.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <map>
#include <memory>

#include "support/qtapp.h"
#include "text/styletables.h"

namespace lx {
namespace {

class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    host = std::make_unique<QWidget>();
    host->resize(600, 400);
    pane = new RichPane(host.get());
    pane->resize(600, 400);
    host->show();
    previous = SetTextErrorReporter([this](const QString& m) { errors << m; });
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    images['q'] = image;
  }
  void TearDown() override { SetTextErrorReporter(previous); }

  // A renderer whose picture letters are those of `letters`, each drawn by a test image.
  MarkupRenderer Make(const StyleTable& table, std::vector<PictureLetter> letters = {}) {
    PictureProvider provider = [this, letters](QChar c) -> const QImage* {
      for (const PictureLetter& l : letters)
        if (l.letter == c && images.count(c.unicode())) return &images[c.unicode()];
      return nullptr;
    };
    MarkupRenderer r(*pane, table, settings, provider);
    r.clear();
    r.putmarkupln(QString());
    return r;
  }
  QTextCharFormat At(int offset) const {
    QTextCursor c(pane->document());
    c.setPosition(pane->PositionOfOffset(offset) + 1);
    return c.charFormat();
  }
  QString Rgb(int offset) const { return At(offset).foreground().color().name(QColor::HexRgb).toUpper(); }

  std::unique_ptr<QWidget> host;  // created once the application exists
  RichPane* pane = nullptr;
  SettingsSlots settings;
  QStringList errors;
  TextErrorReporter previous;
  std::map<char16_t, QImage> images;
};

TEST_F(RendererTest, HeadingOfLessonThreeWithEmptySlots) {
  MarkupRenderer r = Make(styles::lesson3());
  r.putmarkupln(QString::fromUtf8("#2Урок 3 - части речи."));
  EXPECT_EQ(pane->PaneText(), QString::fromUtf8("Урок 3 - части речи.\r\n"));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(At(i).fontPointSize(), 13) << i;
    EXPECT_EQ(Rgb(i), "#C80020") << i;
  }
  EXPECT_TRUE(r.spans().empty());
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(RendererTest, SizesFollowBaseSlotPerWindow) {
  settings.set(3, "16");
  struct Case { const char* window; const StyleTable* table; int code; int size; const char* face; };
  const Case cases[] = {
      {"lesson2", &styles::lesson2(), 2, 18, "PhoneticTM"}, {"lesson2", &styles::lesson2(), 5, 17, ""},
      {"lesson2", &styles::lesson2(), 8, 16, ""},           {"lesson1", &styles::lesson1(), 5, 18, "PhoneticTM"},
      {"lesson1", &styles::lesson1(), 2, 17, ""},           {"lesson3", &styles::lesson3(), 5, 17, "PhoneticTM"},
      {"lesson4", &styles::lesson4(), 5, 17, "PhoneticTM"}, {"lesson5", &styles::lesson5(), 2, 17, ""},
      {"lesson6", &styles::lesson6(), 5, 16, "PhoneticTM"}, {"practice3", &styles::practice3(), 2, 16, ""},
      {"practice4", &styles::practice4(), 7, 16, ""},       {"practice5", &styles::practice5(), 1, 16, ""},
      {"dictionary", &styles::dictionary(), 1, 12, ""},     {"dictionary", &styles::dictionary(), 0, 10, ""},
  };
  for (const Case& c : cases) {
    MarkupRenderer r = Make(*c.table);
    r.putfragln("xy", c.code);
    const QTextCharFormat f = At(1);
    EXPECT_EQ(f.fontPointSize(), c.size) << c.window << " code " << c.code;
    const QStringList faces = f.fontFamilies().toStringList();
    EXPECT_EQ(faces.join(""), QString(c.face)) << c.window << " code " << c.code;
  }
}

TEST_F(RendererTest, ColourSlotsApplyEverywhereButTheDictionary) {
  settings.set(6, std::to_string(StoredColor(0x01, 0x02, 0x03)));
  struct Case { const StyleTable* table; int code; const char* rgb; };
  const Case cases[] = {
      {&styles::lesson1(), 1, "#010203"},    {&styles::lesson2(), 1, "#010203"},
      {&styles::lesson3(), 1, "#010203"},    {&styles::lesson6(), 1, "#010203"},
      {&styles::practice3(), 1, "#010203"},  {&styles::practice5(), 1, "#010203"},
      {&styles::dictionary(), 1, "#FF0000"}, {&styles::lesson3(), 4, "#8020C8"},
      {&styles::lesson2(), 8, "#800040"},    {&styles::lesson2(), 2, "#FF0000"},
      {&styles::dictionary(), 9, "#000080"},
  };
  for (const Case& c : cases) {
    MarkupRenderer r = Make(*c.table);
    r.putfragln("ab", c.code);
    EXPECT_EQ(Rgb(0), QString(c.rgb)) << "code " << c.code;
  }
  // Codes 0 and 8 of the lesson table leave the plain format.
  MarkupRenderer r = Make(styles::lesson3());
  r.putfrag("a", 0);
  r.putfragln("b", 8);
  EXPECT_FALSE(At(0).hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_FALSE(At(1).hasProperty(QTextFormat::FontPointSize));
}

TEST_F(RendererTest, SlotsAreReadAtEveryPass) {
  MarkupRenderer r = Make(styles::lesson3());
  r.putfragln("a", 3);
  settings.set(3, "20");
  settings.set(4, std::to_string(StoredColor(0, 0xFF, 0)));
  r.putfragln("b", 3);
  EXPECT_EQ(At(0).fontPointSize(), 12);
  EXPECT_EQ(Rgb(0), "#200040");
  EXPECT_EQ(At(3).fontPointSize(), 20);
  EXPECT_EQ(Rgb(3), "#00FF00");
}

TEST_F(RendererTest, MarkupPiecesAndSpans) {
  MarkupRenderer r = Make(styles::lesson3());
  r.putmarkupln("abc");
  // Spans of the second line start after "abc" and its two-character line break.
  r.putmarkup(QString::fromUtf8("#11. #3Слова"));
  ASSERT_EQ(r.spans().size(), 2u);
  EXPECT_EQ(r.spans()[0].start, 5);
  EXPECT_EQ(r.spans()[0].length, 3);
  EXPECT_EQ(r.spans()[0].code, 1);
  EXPECT_EQ(r.spans()[0].text, QString("1. "));
  EXPECT_EQ(r.spans()[1].start, 8);
  EXPECT_EQ(r.spans()[1].code, 3);
  EXPECT_EQ(r.spans()[1].text, QString::fromUtf8("Слова"));
  // A leading code makes no empty span; a trailing code in putmarkup adds nothing.
  r.putmarkup("#2x#5");
  ASSERT_EQ(r.spans().size(), 3u);
  EXPECT_EQ(r.spans()[2].code, 2);
  r.putmarkupln("#4");
  EXPECT_EQ(pane->PaneText(), QString::fromUtf8("abc\r\n1. Словаx\r\n"));
  EXPECT_EQ(Rgb(5), "#0040FF");
  EXPECT_EQ(Rgb(8), "#200040");
  EXPECT_EQ(At(13).fontPointSize(), 13);
}

TEST_F(RendererTest, StyleNeverCarriesBetweenCalls) {
  MarkupRenderer r = Make(styles::lesson3());
  r.putmarkup("#2Title ");
  r.putmarkup("abc");
  r.putmarkupln("def");
  EXPECT_EQ(pane->PaneText(), QString("Title abcdef\r\n"));
  EXPECT_EQ(At(0).fontPointSize(), 13);
  for (int i = 6; i < 12; ++i) {
    EXPECT_EQ(At(i).fontPointSize(), 12) << i;
    EXPECT_EQ(Rgb(i), "#200040") << i;
  }
}

TEST_F(RendererTest, EmptyLinesAndTheFirstOpenParagraph) {
  MarkupRenderer r = Make(styles::lesson3());
  EXPECT_EQ(pane->PaneText(), QString());
  r.putmarkupln("a");
  r.putmarkupln(QString());
  r.putmarkupln("b");
  EXPECT_EQ(pane->PaneText(), QString("a\r\n\r\nb\r\n"));
  // A pane emptied directly is noticed: the next text starts at the top again.
  pane->clear();
  r.putmarkupln(QString());
  r.putmarkupln("c");
  EXPECT_EQ(pane->PaneText(), QString("c\r\n"));
}

TEST_F(RendererTest, PictureLettersPerWindow) {
  const QString text = QString::fromUtf8("кнопку #9q#2x");
  {
    MarkupRenderer r = Make(styles::lesson3(), pictures::lesson3());
    r.putmarkupln(text);
    EXPECT_EQ(pane->TextLength(), 9 + 2);
    EXPECT_TRUE(At(7).isImageFormat());
    EXPECT_EQ(At(8).fontPointSize(), 13) << "offsets after the picture stay valid";
    EXPECT_EQ(pane->document()->characterAt(pane->PositionOfOffset(8)), QChar('x'));
  }
  {
    MarkupRenderer r = Make(styles::lesson4(), pictures::lesson4());
    r.putmarkupln(text);
    EXPECT_FALSE(At(7).isImageFormat());
    EXPECT_EQ(pane->PaneText(), QString::fromUtf8("кнопку qx\r\n"));
  }
  {
    // A letter of the window whose picture is missing stays text; so do longer texts in code 9.
    MarkupRenderer r = Make(styles::lesson4(), pictures::lesson4());
    r.putmarkupln("#9r #9qq");
    EXPECT_EQ(pane->PaneText(), QString("r qq\r\n"));
  }
}

TEST_F(RendererTest, BadCodeIsReportedAndThePaneStaysUsable) {
  MarkupRenderer r = Make(styles::lesson3());
  pane->hide();
  EXPECT_FALSE(r.putmarkupln("#2ab#xcd"));
  ASSERT_EQ(errors.size(), 1);
  EXPECT_EQ(errors[0], QString("'x' is not a valid integer value"));
  EXPECT_FALSE(pane->isHidden());
  // What came before the bad code is styled and its line is closed.
  EXPECT_EQ(pane->PaneText(), QString("ab\r\n"));
  EXPECT_EQ(At(1).fontPointSize(), 13);
  EXPECT_FALSE(r.putmarkup("ok#"));
  EXPECT_EQ(errors.value(1), QString("'' is not a valid integer value"));
  r.putmarkupln("#1!");
  EXPECT_EQ(pane->PaneText(), QString("ab\r\nok!\r\n"));
  EXPECT_EQ(Rgb(4), "#200040");
  EXPECT_EQ(Rgb(6), "#0040FF");
  // Plain fragments are never parsed.
  r.putfragln("C#", 3);
  EXPECT_EQ(pane->PaneText(), QString("ab\r\nok!\r\nC#\r\n"));
  EXPECT_EQ(errors.size(), 2);
}

TEST_F(RendererTest, BadSlotValueIsReportedAndDefaultUsed) {
  settings.set(6, "blue");
  settings.set(3, "big");
  MarkupRenderer r = Make(styles::lesson3());
  r.putfragln("a", 1);
  EXPECT_EQ(Rgb(0), "#0040FF");
  EXPECT_EQ(At(0).fontPointSize(), 12);
  EXPECT_EQ(errors.size(), 2);
}

TEST_F(RendererTest, ParagraphOfManyFragments) {
  MarkupRenderer r = Make(styles::lesson3());
  for (int i = 0; i < 150; ++i) r.putfrag("ab", i % 2 ? 1 : 2);
  EXPECT_EQ(r.spans().size(), 150u);
  r.putfragln("z", 1);
  EXPECT_EQ(pane->TextLength(), 301 + 2);
  EXPECT_EQ(Rgb(298), "#0040FF");
  EXPECT_EQ(Rgb(296), "#C80020");
  EXPECT_EQ(Rgb(300), "#0040FF");
}

}  // namespace
}  // namespace lx

namespace lx {
namespace {

// Lines laid out in columns with runs of spaces: every inner run of two or more
// becomes one tab, whose stop is the column where the next cell starts, so the
// rows of a table line up whatever the widths of their letters.
TEST_F(RendererTest, ColumnsOfATableLineUp) {
  MarkupRenderer r = Make(styles::lesson4());
  r.putmarkupln(QString::fromUtf8("#1Лицо  #1Утверждение   Вопрос"));
  r.putmarkupln(QString::fromUtf8("#3я     #4I work.       #4Do I work?"));
  r.putmarkupln(QString::fromUtf8("   #3one space, kept #9q"));
  r.putmarkupln("trailing gap  ");
  const QTextDocument* doc = pane->document();
  EXPECT_EQ(doc->findBlockByNumber(0).text(), QString::fromUtf8("Лицо\tУтверждение\tВопрос"));
  EXPECT_EQ(doc->findBlockByNumber(1).text(), QString::fromUtf8("я\tI work.\tDo I work?"));
  EXPECT_EQ(doc->findBlockByNumber(2).text(), QString::fromUtf8("   one space, kept q"));
  EXPECT_EQ(doc->findBlockByNumber(3).text(), QString::fromUtf8("trailing gap  "));
  // Both rows put their cells at the same two stops, in the cells' own styles.
  const auto stops = [&](int block) {
    std::vector<qreal> at;
    for (const QTextOption::Tab& t : doc->findBlockByNumber(block).blockFormat().tabPositions()) at.push_back(t.position);
    return at;
  };
  ASSERT_EQ(stops(0).size(), 2u);
  EXPECT_EQ(stops(0), stops(1));
  EXPECT_LT(stops(0)[0], stops(0)[1]);
  EXPECT_TRUE(stops(2).empty());
  EXPECT_EQ(Rgb(static_cast<int>(pane->PaneText().indexOf("I work."))), "#8020C8");
  // The cells stand where their stops are: the second column starts at the same x in both rows.
  auto xOf = [&](int block, int column) {
    QTextCursor c(doc->findBlockByNumber(block));
    c.setPosition(c.block().position() + column);
    return pane->cursorRect(c).left();
  };
  EXPECT_EQ(xOf(0, 5), xOf(1, 2));
  EXPECT_EQ(xOf(0, 17), xOf(1, 10));
  EXPECT_TRUE(errors.isEmpty());

  // Each column starts past the widest cell before it, in every row; a row that
  // leaves a column out spans it; a line without gaps ends the table.
  r.clear();
  r.putmarkupln(QString());
  r.putmarkupln("ab     c         d");
  r.putmarkupln("WWWWW  cccccccc  dd");
  r.putmarkupln("x                d");
  r.putmarkupln("after");
  r.putmarkupln("k  WWWWWWWWWW");
  EXPECT_GT(xOf(0, 3), xOf(1, 5)) << "c stands right of WWWWW";
  EXPECT_EQ(xOf(0, 3), xOf(1, 6));
  EXPECT_GT(xOf(0, 5), xOf(1, 14)) << "d stands right of cccccccc";
  EXPECT_EQ(xOf(0, 5), xOf(1, 15));
  EXPECT_EQ(xOf(2, 2), xOf(0, 5)) << "x spans the column of c";
  EXPECT_LT(xOf(4, 2), xOf(0, 3)) << "a new table has its own stops";

  // The dictionary keeps its spaces.
  MarkupRenderer dictionary = Make(styles::dictionary());
  dictionary.putfragln("a  b", 0);
  EXPECT_EQ(pane->PaneText(), QString("a  b\r\n"));
}

}  // namespace
}  // namespace lx
