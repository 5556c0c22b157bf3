// Checks on the fonts the set-up built into data/: PhoneticTM draws the transcription
// codes as phonetic glyphs, and the serif files register with a bold face.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>

namespace {

QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "test_fontdata";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down after the font database at exit crashes.
  static auto* app = new QGuiApplication(argc, argv);
  return *app;
}

quint32 Glyph(const QRawFont& font, char32_t cp) {
  auto g = font.glyphIndexesForString(QString::fromUcs4(&cp, 1));
  return g.isEmpty() ? 0 : g.first();
}

}  // namespace

TEST(BuiltFonts, PhoneticFamilyHasRegularAndBold) {
  App();
  ASSERT_TRUE(QFile::exists("data/phontm.ttf")) << "run tools/build-data.sh";
  int id = QFontDatabase::addApplicationFont("data/phontm.ttf");
  ASSERT_GE(id, 0);
  EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains("PhoneticTM"));
  EXPECT_TRUE(QFontDatabase::styles("PhoneticTM").contains("Bold"));
  QFontDatabase::removeApplicationFont(id);
}

TEST(BuiltFonts, CodesDrawPhoneticGlyphs) {
  App();
  QRawFont phon(QString("data/phontm.ttf"), 16);
  QRawFont sans(QString("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), 16);
  ASSERT_TRUE(phon.isValid());
  ASSERT_TRUE(sans.isValid());
  EXPECT_EQ(phon.familyName(), "PhoneticTM");
  struct Case {
    char code;
    char32_t drawn;
  } cases[] = {{'A', 0x028C}, {'O', 0x0254}, {'I', 0x026A}, {'x', 0x00E6}, {'q', 0x0259},
               {'F', 0x025B}, {'S', 0x0283}, {'Z', 0x0292}, {'T', 0x03B8}, {'D', 0x00F0},
               {'N', 0x014B}, {':', 0x02D0}, {'\'', 0x02C8},
               {'a', 'a'},    {'u', 'u'},    {'i', 'i'},    {'e', 'e'},    {'k', 'k'}};
  for (const auto& c : cases) {
    quint32 g = Glyph(phon, static_cast<unsigned char>(c.code));
    EXPECT_NE(g, 0u) << c.code;
    // Only the character map changed, so glyph numbers are those of DejaVu Sans.
    EXPECT_EQ(g, Glyph(sans, c.drawn)) << c.code;
  }
}

TEST(BuiltFonts, GeorgiaFilesAreASerifWithBold) {
  App();
  for (const char* file : {"data/georgia.ttf", "data/georgiab.ttf"}) {
    int id = QFontDatabase::addApplicationFont(file);
    ASSERT_GE(id, 0) << file;
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains("DejaVu Serif")) << file;
    QFontDatabase::removeApplicationFont(id);
  }
  EXPECT_TRUE(QFile::exists("data/fonts-licence.txt"));
}
