#include "text/picturetable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include "support/qtapp.h"
#include "text/styletables.h"

namespace lx {
namespace {

TEST(PictureTableTest, LoadsBitmapsAndLeavesMissingOnesNull) {
  test::App();
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("data"));
  QImage image(8, 6, QImage::Format_RGB32);
  image.fill(Qt::green);
  // ".m" files are Windows bitmaps whatever their extension says.
  ASSERT_TRUE(image.save(dir.filePath("data/r1.m"), "BMP"));
  ASSERT_TRUE(image.save(dir.filePath("data/h15.m"), "BMP"));
  QFile broken(dir.filePath("data/h01.m"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a bitmap");
  broken.close();

  PictureTable table;
  const int found = table.Load(DataDir(dir.path().toStdString()));
  // r1 fills positions 1, 7, 15, 19, 21, 28, 31, 34, 42, 48, 53 and 56.
  EXPECT_EQ(found, 13);
  for (int position : {1, 7, 56, 78}) {
    EXPECT_EQ(table.at(position).size(), QSize(8, 6)) << position;
  }
  for (int position : {0, 64, 80, 86, -1, 87}) EXPECT_TRUE(table.at(position).isNull()) << position;

  // The lesson 3 letters reach the table; a missing picture gives no image.
  const PictureProvider lesson3 = PicturesOf(table, pictures::lesson3());
  ASSERT_NE(lesson3('q'), nullptr);
  EXPECT_FALSE(lesson3('q')->isNull());
  EXPECT_TRUE(lesson3('?') == nullptr || lesson3('?')->isNull());
  EXPECT_EQ(lesson3('Q'), nullptr);
}

// An inline picture drawn on the panes' default colour shows the pane through it,
// whatever colour the learner gave the pane; its drawing stays opaque. Other
// pictures keep every pixel.
TEST(PictureTableTest, InlinePicturesAreClearWhereDrawnOnThePaneColour) {
  test::App();
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("data"));
  QImage image(8, 6, QImage::Format_RGB32);
  image.fill(QColor::fromRgb(PictureTable::kDrawnOnRgb));
  image.setPixel(3, 3, qRgb(0x20, 0x30, 0x60));
  for (const char* stem : {"h05", "r1"}) ASSERT_TRUE(image.save(dir.filePath(QString("data/%1.m").arg(stem)), "BMP"));
  PictureTable table;
  table.Load(DataDir(dir.path().toStdString()));
  const QImage& inline5 = table.at(68);
  ASSERT_FALSE(inline5.isNull());
  EXPECT_EQ(qAlpha(inline5.pixel(0, 0)), 0);
  EXPECT_EQ(inline5.pixel(3, 3), qRgb(0x20, 0x30, 0x60));
  // Drawn over another background, the corner takes that colour.
  QImage onPane(8, 6, QImage::Format_RGB32);
  onPane.fill(Qt::white);
  QPainter(&onPane).drawImage(0, 0, inline5);
  EXPECT_EQ(onPane.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(qAlpha(table.at(1).pixel(0, 0)), 255);
}

TEST(PictureTableTest, StemPositions) {
  const auto& stems = PictureTable::Stems();
  struct Case { int position; const char* stem; };
  const Case cases[] = {{0, "0"}, {12, "r14"}, {55, "g40"}, {63, "r44"}, {64, "h01"}, {80, "h17"}, {81, "t1"}, {86, "t6"}};
  for (const Case& c : cases) EXPECT_STREQ(stems[static_cast<size_t>(c.position)], c.stem) << c.position;
}

}  // namespace
}  // namespace lx
