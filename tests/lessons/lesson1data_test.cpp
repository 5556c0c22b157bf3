// Lesson 1's data as the set-up builds it (data/ beside the test binaries): every
// picture of the picture table is a bitmap of the size its place in the strip
// expects, and every sound and letter name the two windows play is a stretch of a
// recording with the transcription the window shows.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "app/core/datadir.h"
#include "app/core/soundindex.h"
#include "app/core/textfile.h"
#include "lessons/Unit5.h"
#include "lessons/phonemetable.h"
#include "support/qtapp.h"
#include "text/picturetable.h"

namespace {

const lx::DataDir& Dir() {
  static const lx::DataDir dir(std::filesystem::current_path().string());
  return dir;
}

// The code between the brackets, as the sound index keeps it.
std::string Bare(const std::string& code) { return code.substr(1, code.size() - 2); }

TEST(Lesson1Data, EveryPictureIsBuiltAndLoads) {
  lx::test::App();
  lx::PictureTable table;
  EXPECT_EQ(table.Load(Dir()), lx::PictureTable::kCount);
  for (int i = 0; i < lx::PictureTable::kCount; ++i) {
    const std::string stem = lx::PictureTable::Stems()[static_cast<size_t>(i)];
    const QImage& image = table.at(i);
    ASSERT_FALSE(image.isNull()) << stem;
    // The strip holds a profile 212 x 219 at the right, the lips 142 x 74 at the
    // left above the symbol's frame of 142 x 100.
    if (stem == "0") {
      EXPECT_EQ(image.size(), QSize(142, 100));
    } else if (stem[0] == 'r' || stem[0] == 't') {
      EXPECT_EQ(image.size(), QSize(212, 219)) << stem;
    } else if (stem[0] == 'g') {
      EXPECT_EQ(image.size(), QSize(142, 74)) << stem;
    }
    // A drawing, not an empty field.
    if (stem[0] != 'h') {
      const QImage small = image.scaled(8, 8);
      bool varied = false;
      for (int y = 0; y < 8 && !varied; ++y)
        for (int x = 1; x < 8 && !varied; ++x) varied = small.pixel(x, y) != small.pixel(0, 0);
      EXPECT_TRUE(varied) << stem;
    }
  }
}

TEST(Lesson1Data, SoundsAndLetterNamesAreRecorded) {
  std::string bytes;
  ASSERT_TRUE(lx::ReadFileBytes(Dir().Path("data\\words.txt"), bytes));
  lx::SoundIndex index;
  index.Load(bytes);
  auto check = [&](int entry, const std::string& code, const std::string& what) {
    ASSERT_LE(entry, index.count()) << what;
    const lx::tsou& e = index.entry(entry);
    EXPECT_EQ(e.transcription, Bare(code)) << what;
    EXPECT_FALSE(e.file.empty()) << what;
    EXPECT_GT(e.end, e.start) << what;
    EXPECT_TRUE(std::filesystem::exists(Dir().Path("data\\" + e.file))) << what << " " << e.file;
  };
  for (const lx::Phoneme& p : lx::PhonemeTable::Rows()) check(p.entry, p.code, "sound " + std::to_string(p.number));
  for (const lx::AlphabetLetter& l : lx::Tform5::Letters()) check(l.entry, l.transcription, l.caption);
}

TEST(Lesson1Data, EverySoundHasItsNote) {
  for (const lx::Phoneme& p : lx::PhonemeTable::Rows()) {
    char name[32];
    std::snprintf(name, sizeof name, "data\\texts\\les1\\s%02d.txt", p.number);
    std::string bytes;
    EXPECT_TRUE(lx::ReadFileBytes(Dir().Path(name), bytes) && !bytes.empty()) << name;
  }
}

}  // namespace
