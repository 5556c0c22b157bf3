// Lesson 1 and the alphabet window over a small course folder whose pictures are
// plain colour fields, one colour per file, so that a grab of the strip tells which
// picture stands where.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <map>
#include <memory>
#include <string>

#include "app/core/settingsslots.h"
#include "fixture.h"
#include "lessons/Unit4.h"
#include "lessons/Unit5.h"
#include "support/qtapp.h"
#include "text/picturetable.h"

namespace {

using lx::Tform4;
using lx::Tform5;

// A colour of its own for every picture file.
QColor ColourOf(const std::string& stem) {
  const size_t h = std::hash<std::string>()(stem);
  return QColor::fromRgb(40 + static_cast<int>(h % 180), 40 + static_cast<int>((h / 180) % 180),
                         40 + static_cast<int>((h / 32400) % 180));
}

// The sizes of the pictures the set-up draws.
QSize SizeOf(const std::string& stem) {
  if (stem == "0") return {142, 100};
  if (stem[0] == 'g') return {142, 74};
  return {212, 219};
}

class Lesson1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    folder = std::make_unique<lx::test::CourseFolder>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    folder->Write("texts/les1/t01.txt", {"#3Opening", "", "#2Lesson 1 description", "", "#3Body"});
    for (int n = 1; n <= 44; ++n)
      folder->Write(QString("texts/les1/s%1.txt").arg(n, 2, 10, QChar('0')).toStdString(),
                    {QString("#3Note of sound %1").arg(n)});
  }
  void WritePictures() {
    for (const char* stem : lx::PictureTable::Stems()) {
      QImage image(SizeOf(stem), QImage::Format_RGB32);
      image.fill(ColourOf(stem));
      ASSERT_TRUE(image.save(QString::fromStdString((folder->root() / "data" / (std::string(stem) + ".m")).string()),
                             "BMP"));
    }
    pictures.Load(lx::DataDir(folder->root().string()));
  }
  std::unique_ptr<Tform4> Make() {
    lx::LessonContext c;
    c.dataDir = lx::DataDir(folder->root().string());
    c.settings = &settings;
    c.soundIndex = &lx::test::TinySoundIndex();
    c.pictureTable = &pictures;
    c.pickHandlers = lx::test::RecordingHandlers(record);
    // When the sound started, on the test's clock.
    c.pickHandlers.play = [this, play = c.pickHandlers.play](int entry) {
      playedAt = clock.elapsed();
      play(entry);
    };
    clock.start();
    auto w = std::make_unique<Tform4>(c);
    w->show();
    return w;
  }
  // The colour in the middle of the right and left picture places of the strip.
  static QColor RightColour(Tform4& w) { return Strip(w).pixelColor(w.PaintBox1->width() - 215 + 100, 60); }
  static QColor LeftColour(Tform4& w) { return Strip(w).pixelColor(w.PaintBox1->width() - 360 + 70, 40); }
  static QImage Strip(Tform4& w) { return w.PaintBox1->grab().toImage(); }
  // Waits until the sound's second pair is drawn.
  static bool Settled(Tform4& w) {
    return lx::test::WaitFor([&] { return !w.soundPending(); }, 3000);
  }
  std::string PaneText(Tform4& w) { return w.RichEdit1->toPlainText().toStdString(); }

  std::unique_ptr<lx::test::CourseFolder> folder;
  lx::SettingsSlots settings;
  lx::PictureTable pictures;
  lx::test::PickRecord record;
  QElapsedTimer clock;
  qint64 playedAt = -1;
};

TEST_F(Lesson1Test, ControlsAndTheirPlaces) {
  auto w = Make();
  EXPECT_EQ(w->windowTitle(), "Lexitar - Lesson 1");
  EXPECT_EQ(w->size(), QSize(793, 577));
  EXPECT_EQ(w->Panel1->width(), 329);
  EXPECT_EQ(w->Panel2->palette().color(QPalette::Window), QColor(232, 232, 240));
  EXPECT_EQ(w->Panel2->geometry(), QRect(329, 0, 793 - 329, 577));
  EXPECT_EQ(w->PaintBox1->height(), Tform4::kDesignStripHeight);
  EXPECT_EQ(w->PaintBox1->geometry().bottom(), w->Panel2->height() - 1);

  struct Named {
    const char* name;
    QString hint;
  } named[] = {{"SpeedButton42", "Описание Урока 1"},     {"SpeedButton90", "Окно латинского алфавита"},
               {"SpeedButton96", "Окно помощи"},          {"SpeedButton97", "Окно словаря"},
               {"SpeedButton98", "Окно настроек"},        {"SpeedButton95", "Закрыть Урок 1"}};
  for (const Named& n : named) {
    auto* b = w->findChild<QToolButton*>(n.name);
    ASSERT_NE(b, nullptr) << n.name;
    EXPECT_EQ(b->toolTip(), n.hint) << n.name;
  }
  // No practice window yet: the exercises button waits, and says so.
  auto* exercises = w->findChild<QToolButton*>("SpeedButton88");
  ASSERT_NE(exercises, nullptr);
  EXPECT_FALSE(exercises->isEnabled());
  EXPECT_TRUE(exercises->toolTip().startsWith("Упражнения Урока 1"));

  // Sound buttons by number: ten to a column, the fifth column holds four.
  struct Place {
    const char* name;
    int number;
    QPoint at;
  } places[] = {{"SpeedButton49", 1, {8, 40}},     {"SpeedButton58", 10, {8, 472}},  {"SpeedButton89", 11, {72, 40}},
                {"SpeedButton72", 25, {136, 232}}, {"SpeedButton87", 40, {200, 472}}, {"SpeedButton94", 44, {264, 184}}};
  for (const Place& p : places) {
    auto* b = w->findChild<QToolButton*>(p.name);
    ASSERT_NE(b, nullptr) << p.name;
    EXPECT_EQ(b, w->SoundButton(p.number)) << p.name;
    EXPECT_EQ(b->geometry(), QRect(p.at, QSize(57, 41))) << p.name;
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << p.name;
  }
  // Nothing in the panel overlaps another control.
  const auto buttons = w->Panel1->findChildren<QToolButton*>();
  for (auto* a : buttons)
    for (auto* b : buttons)
      if (a != b) {
        EXPECT_FALSE(a->geometry().intersects(b->geometry()))
            << a->objectName().toStdString() << " " << b->objectName().toStdString();
      }
}

TEST_F(Lesson1Test, StripBeforeAnySoundShowsOnlyTheSymbolFrame) {
  WritePictures();
  auto w = Make();
  ASSERT_EQ(w->rightPicture(), 0);
  const QImage strip = Strip(*w);
  const int W = w->PaintBox1->width();
  EXPECT_EQ(strip.pixelColor(W - 360 + 5, 81 + 5), ColourOf("0"));  // the frame of the symbol
  EXPECT_NE(strip.pixelColor(W - 215 + 100, 60), ColourOf("r1"));
  EXPECT_EQ(strip.pixelColor(W - 215 + 100, 60), QColor(232, 232, 240));
  EXPECT_EQ(strip.pixelColor(W - 360 + 70, 40), QColor(232, 232, 240));
  // The strip keeps its design height until a sound opens it; the caption stands
  // lower and shows once it is open.
  EXPECT_EQ(strip.height(), Tform4::kDesignStripHeight);
}

TEST_F(Lesson1Test, DescriptionFoldsTheStripAndIsRenderedAtEveryCall) {
  WritePictures();
  auto w = Make();
  w->SoundClick(25);
  ASSERT_TRUE(Settled(*w));
  ASSERT_EQ(w->PaintBox1->height(), Tform4::kSoundStripHeight);
  w->SpeedButton1Click();
  EXPECT_EQ(w->PaintBox1->height(), Tform4::kCollapsedStripHeight);
  EXPECT_EQ(w->rightPicture(), 0);
  EXPECT_EQ(w->leftPicture(), 0);
  EXPECT_EQ(lx::test::FirstLine(*w->RichEdit1), "Opening");
  EXPECT_EQ(w->RichEdit1->height() + 1, w->Panel2->height());
  // A changed file shows at the next call: nothing is skipped as already shown.
  folder->Write("texts/les1/t01.txt", {"#3Changed"});
  w->SpeedButton1Click();
  EXPECT_EQ(lx::test::FirstLine(*w->RichEdit1), "Changed");
  // The next sound opens the strip again.
  w->SoundClick(1);
  EXPECT_EQ(w->PaintBox1->height(), Tform4::kSoundStripHeight);
}

TEST_F(Lesson1Test, SoundP_DrawsBothPairsPlaysItsEntryAndRemembersThePictures) {
  WritePictures();
  auto w = Make();
  const qint64 pressedAt = clock.elapsed();
  w->SoundClick(25);
  // At once: the strip open, the "before" pair, the symbol, the note; no sound yet.
  EXPECT_EQ(w->PaintBox1->height(), 225);
  EXPECT_EQ(RightColour(*w), ColourOf("r15"));
  EXPECT_EQ(LeftColour(*w), ColourOf("g1"));
  EXPECT_EQ(w->shownSymbol(), "[p]");
  EXPECT_NE(PaneText(*w).find("[p]"), std::string::npos);
  EXPECT_NE(PaneText(*w).find("Note of sound 25"), std::string::npos);
  EXPECT_EQ(w->RichEdit1->verticalScrollBar()->value(), 0);
  EXPECT_EQ(w->rightPicture(), 0);

  ASSERT_TRUE(lx::test::WaitFor([&] { return !record.played.empty(); }));
  EXPECT_EQ(record.played, std::vector<int>{3480});
  EXPECT_GE(playedAt - pressedAt, 100);

  ASSERT_TRUE(Settled(*w));
  EXPECT_GE(clock.elapsed() - pressedAt, 250);
  EXPECT_EQ(RightColour(*w), ColourOf("r1"));
  EXPECT_EQ(LeftColour(*w), ColourOf("g2"));
  EXPECT_EQ(w->rightPicture(), 34);
  EXPECT_EQ(w->leftPicture(), 4);
  EXPECT_EQ(w->RichEdit1->cursorWidth(), 0);
}

TEST_F(Lesson1Test, PicturesAndPausesOfOtherSounds) {
  WritePictures();
  auto w = Make();
  struct Case {
    int number;
    const char* before[2];
    const char* during[2];
    int right, left, pauseMs;
  } cases[] = {
      {40, {"r15", "g1"}, {"r1", "g6"}, 34, 10, 150},  // [w]: on the right the pictures of [p]
      {1, {"r1", "g1"}, {"r2", "g2"}, 2, 4, 200},
      {2, {"r1", "g1"}, {"r2", "g2"}, 2, 4, 200},
      {33, {"r1", "g1"}, {"r28", "g9"}, 43, 13, 150},
      {21, {"r15", "g1"}, {"r1", "g15"}, 28, 26, 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    record.Clear();
    w->SoundClick(c.number);
    EXPECT_EQ(RightColour(*w), ColourOf(c.before[0]));
    EXPECT_EQ(LeftColour(*w), ColourOf(c.before[1]));
    ASSERT_TRUE(lx::test::WaitFor([&] { return !record.played.empty(); }));
    ASSERT_TRUE(Settled(*w));
    // The second pair comes the sound's pause after the sound starts, never sooner.
    EXPECT_GE(clock.elapsed() - playedAt, c.pauseMs);
    EXPECT_EQ(RightColour(*w), ColourOf(c.during[0]));
    EXPECT_EQ(LeftColour(*w), ColourOf(c.during[1]));
    EXPECT_EQ(w->rightPicture(), c.right);
    EXPECT_EQ(w->leftPicture(), c.left);
    EXPECT_EQ(record.played.size(), 1u);
  }
}

TEST_F(Lesson1Test, RepaintAfterASoundShowsTheDuringPictures) {
  WritePictures();
  auto w = Make();
  w->SoundClick(25);
  ASSERT_TRUE(Settled(*w));
  // Another window covered the strip, or it changed size: it is drawn from the state.
  w->resize(900, 600);
  QApplication::processEvents();
  const QImage strip = Strip(*w);
  const int W = w->PaintBox1->width();
  EXPECT_EQ(W, 900 - 329);
  EXPECT_EQ(strip.pixelColor(W - 215 + 100, 60), ColourOf("r1"));
  EXPECT_EQ(strip.pixelColor(W - 360 + 70, 40), ColourOf("g2"));
  EXPECT_EQ(strip.pixelColor(W - 360 + 5, 81 + 5), ColourOf("0"));
  EXPECT_EQ(strip.pixelColor(12, 192), QColor(186, 205, 205));
  // The symbol is drawn in red on its light blue background inside the frame.
  bool red = false;
  for (int y = 112; y < 160 && !red; ++y)
    for (int x = W - 318; x < W - 230 && !red; ++x) red = strip.pixelColor(x, y) == QColor(223, 0, 0);
  EXPECT_TRUE(red);
  EXPECT_EQ(strip.pixelColor(W - 318, 113), QColor(223, 239, 255));
}

TEST_F(Lesson1Test, ASecondPressDuringTheWaitsStartsTheNewSoundCleanly) {
  WritePictures();
  auto w = Make();
  // Pressed again before the first sound started: only the second one plays.
  w->SoundClick(25);
  w->SoundClick(3);
  ASSERT_TRUE(Settled(*w));
  QTest::qWait(300);
  EXPECT_EQ(record.played, std::vector<int>{3525});
  EXPECT_EQ(w->rightPicture(), 2);
  EXPECT_EQ(w->leftPicture(), 6);
  EXPECT_EQ(w->shownSymbol(), "[O:]");

  // Pressed while the first sound plays: its second pair never comes.
  record.Clear();
  w->SoundClick(25);
  ASSERT_TRUE(lx::test::WaitFor([&] { return !record.played.empty(); }));
  w->SoundClick(9);
  bool sawFirstPair = false;
  lx::test::WaitFor([&] {
    sawFirstPair = sawFirstPair || w->rightPicture() == 34;
    return !w->soundPending();
  });
  QTest::qWait(250);
  EXPECT_FALSE(sawFirstPair);
  EXPECT_EQ(record.played, (std::vector<int>{3480, 3442}));
  EXPECT_EQ(w->rightPicture(), 16);
  EXPECT_EQ(w->leftPicture(), 14);
  EXPECT_EQ(RightColour(*w), ColourOf("r10"));

  // The description during the waits: the strip stays folded and empty.
  w->SoundClick(25);
  w->SpeedButton1Click();
  QTest::qWait(400);
  EXPECT_EQ(w->PaintBox1->height(), 1);
  EXPECT_EQ(w->rightPicture(), 0);
  EXPECT_EQ(w->leftPicture(), 0);
}

TEST_F(Lesson1Test, MissingPicturesDrawNothing) {
  auto w = Make();  // no picture files at all
  w->SoundClick(25);
  EXPECT_EQ(RightColour(*w), QColor(232, 232, 240));
  ASSERT_TRUE(Settled(*w));
  EXPECT_EQ(w->rightPicture(), 34);
  EXPECT_EQ(RightColour(*w), QColor(232, 232, 240));
  EXPECT_EQ(record.played, std::vector<int>{3480});
}

TEST_F(Lesson1Test, AlphabetButtonShowsTheAlphabetWindow) {
  auto w = Make();
  EXPECT_FALSE(w->SpeedButton90->isEnabled());
  Tform5 abc([](int) {});
  w->SetAlphabetWindow(&abc);
  ASSERT_TRUE(w->SpeedButton90->isEnabled());
  w->SpeedButton90->click();
  EXPECT_TRUE(abc.isVisible());
}

class AlphabetTest : public ::testing::Test {
 protected:
  void SetUp() override { lx::test::App(); }
  // Whether the picture holds a pixel near `colour` inside `area`.
  static bool Holds(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                std::abs(c.blue() - colour.blue()) < 60)
          return true;
      }
    return false;
  }
  std::vector<int> played;
};

TEST_F(AlphabetTest, WindowAndButtons) {
  Tform5 w([this](int e) { played.push_back(e); });
  EXPECT_EQ(w.windowTitle(), "ABC");
  EXPECT_EQ(w.size(), QSize(405, 339));
  EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w.Image1->geometry(), QRect(0, 0, 405, 83));
  EXPECT_EQ(w.Panel1->geometry(), QRect(0, 83, 405, 256));
  struct Place {
    const char* name;
    const char* caption;
    QPoint at;
  } places[] = {{"SpeedButton1", "Aa", {16, 8}},
                {"SpeedButton5", "Ee", {16, 200}},
                {"SpeedButton6", "Ff", {80, 8}},
                {"SpeedButton26", "Zz", {336, 8}}};
  for (const Place& p : places) {
    auto* b = w.findChild<QToolButton*>(p.name);
    ASSERT_NE(b, nullptr) << p.name;
    EXPECT_EQ(b->text(), p.caption);
    EXPECT_EQ(b->geometry(), QRect(p.at, QSize(57, 41))) << p.name;
  }
  EXPECT_EQ(w.SpeedButton27->toolTip(), "Закрыть окно алфавита");
  for (auto* b : w.Panel1->findChildren<QToolButton*>())
    if (b != w.SpeedButton27) {
      EXPECT_FALSE(b->geometry().intersects(w.SpeedButton27->geometry())) << b->objectName().toStdString();
    }
  w.show();
  w.SpeedButton27->click();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(AlphabetTest, EmptyFramedPictureBeforeAnyLetter) {
  Tform5 w([this](int e) { played.push_back(e); });
  const QImage& p = w.picture();
  ASSERT_EQ(p.size(), QSize(405, 83));
  for (QPoint corner : {QPoint(0, 0), QPoint(404, 0), QPoint(0, 82), QPoint(404, 82), QPoint(200, 0), QPoint(0, 40)})
    EXPECT_EQ(p.pixelColor(corner), QColor(Qt::black));
  for (QPoint inside : {QPoint(1, 1), QPoint(200, 40), QPoint(403, 81)}) EXPECT_EQ(p.pixelColor(inside), QColor(Qt::white));
  EXPECT_FALSE(Holds(p, QRect(1, 1, 403, 81), Qt::blue));
  EXPECT_TRUE(played.empty());
}

TEST_F(AlphabetTest, LettersDrawTheirPairAndNameAndPlayTheName) {
  Tform5 w([this](int e) { played.push_back(e); });
  struct Case {
    int k;
    int entry;
  } cases[] = {{22, 3381}, {17, 2987}, {0, 1344}, {25, 3388}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.k);
    played.clear();
    w.LetterButton(c.k)->click();
    EXPECT_EQ(played, std::vector<int>{c.entry});
    const QImage& p = w.picture();
    // The letters stand from x 250, the transcription from x 100, both from y 25.
    EXPECT_TRUE(Holds(p, QRect(250, 25, 100, 40), QColor(0, 0, 255)));
    EXPECT_FALSE(Holds(p, QRect(2, 2, 247, 79), QColor(0, 0, 255)));
    EXPECT_TRUE(Holds(p, QRect(100, 25, 140, 40), QColor(255, 0, 0)));
    EXPECT_FALSE(Holds(p, QRect(2, 2, 97, 79), QColor(255, 0, 0)));
    EXPECT_FALSE(Holds(p, QRect(2, 2, 400, 22), QColor(255, 0, 0)));
    EXPECT_EQ(p.pixelColor(0, 0), QColor(Qt::black));
  }
  // The table behind the buttons: "Ww" with its pair and name, "Rr" named [a:].
  const auto& ww = Tform5::Letters()[22];
  EXPECT_STREQ(ww.pair, "W w");
  EXPECT_STREQ(ww.transcription, "[dAblju:]");
  EXPECT_STREQ(Tform5::Letters()[17].transcription, "[a:]");
}

}  // namespace
