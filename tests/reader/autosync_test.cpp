// Automatic control points against audiobooks whose sentence times are known: the
// book is spoken by another voice, faster and higher, with random pauses and noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "reader/audiosync.h"
#include "reader/autosync.h"
#include "syncbook.h"

namespace lx {
namespace {

// Twelve sentences, a title and two paragraphs, as a learner's own book would begin.
const std::string kBook =
    "The Lighthouse\r\n\r\n"
    "Mary lived with her grandfather at the end of a long road by the sea. Every evening he "
    "climbed the narrow stairs of the lighthouse and lit the great lamp. She liked to follow him "
    "and count the steps. There were one hundred and twelve of them.\r\n"
    "One night a storm came from the north. The wind was so strong that the windows shook. "
    "Far away, a small boat was trying to reach the harbour. \"Will they see our light?\" Mary "
    "asked. \"They will,\" said her grandfather, \"if we keep it burning.\" They stayed by the "
    "lamp until morning. When the sun rose, the boat was safe in the harbour.\r\n";

// Other words of about the same length: the recording does not read this text.
const std::string kOtherBook =
    "Tom wanted a bicycle for his birthday. His parents said that he was too young. He saved "
    "his pocket money for a whole year instead. In the spring he counted his coins on the kitchen "
    "table. It was almost enough. His uncle gave him the rest of it. Together they went to the shop "
    "in the town. Tom chose a red bicycle with a silver bell. He rode it home very slowly. Then he "
    "rode it round the garden until dark. His mother called him three times for supper. At last "
    "he came in, tired and happy.\r\n";

class AutoSyncTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::filesystem::temp_directory_path() / ("lexitar-autosync-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    book_ = test::MakeSyncBook(kBook, Path("book.wav"));
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(folder_); }
  static std::string Path(const char* name) { return (folder_ / name).string(); }

  static inline std::filesystem::path folder_;
  static inline test::SyncBook book_;
};

TEST_F(AutoSyncTest, SentenceStartsLandWithinAHundredMilliseconds) {
  AutoSyncControl control;
  const AutoSyncResult r = ComputeControlPoints(kBook, Path("book.wav"), control);
  ASSERT_TRUE(r.ok) << r.message;
  const SpeechPlan plan = PlanSpeech(kBook);
  ASSERT_EQ(r.points.size(), plan.sentences.size() + 1);
  ASSERT_EQ(book_.startsMs.size(), plan.sentences.size());
  for (size_t k = 0; k < plan.sentences.size(); ++k) {
    EXPECT_EQ(r.points[k].textPosition, plan.sentences[k].textPosition);
    EXPECT_NEAR(r.points[k].audioMs, book_.startsMs[k], 100) << "sentence " << k + 1;
  }
  EXPECT_EQ(r.points.back().textPosition, plan.endPosition);
  EXPECT_NEAR(r.points.back().audioMs, book_.endMs, 250);
  for (size_t k = 1; k < r.points.size(); ++k) {
    EXPECT_LT(r.points[k - 1].textPosition, r.points[k].textPosition);
    EXPECT_LE(r.points[k - 1].audioMs, r.points[k].audioMs);
  }
  EXPECT_EQ(control.percent.load(), 100);
}

TEST_F(AutoSyncTest, BadInputGivesAMessageAndNoPoints) {
  const int rate = SynthRate();
  test::WriteMonoWav(Path("silence.wav"), std::vector<int16_t>(static_cast<size_t>(rate) * 30, 0), rate);
  {
    std::ofstream(Path("notaudio.wav"), std::ios::binary) << "This is a letter, not a recording.\r\n";
  }
  std::string firstTwo = kBook.substr(0, kBook.find("She liked"));
  const std::string longer = kBook + kBook + kBook;
  struct Case {
    const char* what;
    std::string text;
    std::string audio;
    const char* message;
  } cases[] = {
      {"no text", "", Path("book.wav"), "нет ни одного предложения"},
      {"missing file", kBook, Path("absent.wav"), "Не удаётся прочитать"},
      {"not audio", kBook, Path("notaudio.wav"), "Не удаётся прочитать"},
      {"silence", kBook, Path("silence.wav"), "не слышно речи"},
      {"audio much longer than the text", firstTwo, Path("book.wav"), "Длина записи"},
      {"audio much shorter than the text", longer, Path("book.wav"), "Длина записи"},
      {"another text", kOtherBook, Path("book.wav"), "не совпадает"},
  };
  for (const Case& c : cases) {
    AutoSyncControl control;
    const AutoSyncResult r = ComputeControlPoints(c.text, c.audio, control);
    EXPECT_FALSE(r.ok) << c.what << " ratio " << r.matchRatio;
    EXPECT_FALSE(r.cancelled) << c.what;
    EXPECT_TRUE(r.points.empty()) << c.what;
    EXPECT_NE(r.message.find(c.message), std::string::npos) << c.what << ": " << r.message;
  }
}

TEST_F(AutoSyncTest, CancelStopsTheJobWithoutPoints) {
  AutoSyncControl control;
  auto job = std::async(std::launch::async, [&] { return ComputeControlPoints(kBook, Path("book.wav"), control); });
  while (control.percent.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  control.cancel.store(true);
  const AutoSyncResult r = job.get();
  EXPECT_TRUE(r.cancelled);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.points.empty());
  EXPECT_TRUE(r.message.empty());
}

TEST(AutoSyncPlan, SentencesStartAtTheirFirstCharacterAndTitlesGetAStop) {
  const std::string text = "Title\r\n\r\nOne two. \"Three?\" Four five!\r\n";
  const SpeechPlan plan = PlanSpeech(text);
  ASSERT_EQ(plan.sentences.size(), 3u);
  EXPECT_EQ(plan.sentences[0].textPosition, 0);
  EXPECT_EQ(plan.sentences[0].words, "Title. One two.");
  EXPECT_EQ(plan.sentences[1].textPosition, 18);  // the opening quote
  EXPECT_EQ(plan.sentences[1].words, "\"Three?");
  EXPECT_EQ(plan.sentences[2].textPosition, 27);  // past the closing quote and the blank
  EXPECT_EQ(plan.sentences[2].words, "Four five!");
  EXPECT_EQ(plan.endPosition, 37);
}

TEST(AutoSyncWarp, BandedSearchFindsTheExactPathOfAStretchedSequence) {
  // B is A played at two thirds of the speed: frame i of A is frame 1.5 i of B.
  constexpr int kDims = FeatureExtractor::kDims;
  const int na = 3000, nb = 4500;
  std::vector<float> a(static_cast<size_t>(na) * kDims), b(static_cast<size_t>(nb) * kDims);
  const auto value = [](double t, int d) { return static_cast<float>(std::sin(t * (0.05 + 0.013 * d)) + std::cos(t * 0.0031 * (d + 1))); };
  for (int i = 0; i < na; ++i)
    for (int d = 0; d < kDims; ++d) a[static_cast<size_t>(i * kDims + d)] = value(i, d);
  for (int j = 0; j < nb; ++j)
    for (int d = 0; d < kDims; ++d) b[static_cast<size_t>(j * kDims + d)] = value(j / 1.5, d);
  const WarpResult w = WarpFrames(a, b);
  ASSERT_FALSE(w.path.empty());
  EXPECT_EQ(w.path.front(), std::make_pair(0, 0));
  EXPECT_EQ(w.path.back(), std::make_pair(na - 1, nb - 1));
  for (size_t k = 1; k < w.path.size(); ++k) {
    const auto [di, dj] = std::make_pair(w.path[k].first - w.path[k - 1].first, w.path[k].second - w.path[k - 1].second);
    ASSERT_TRUE((di == 0 || di == 1) && (dj == 0 || dj == 1) && di + dj > 0) << "step " << k;
  }
  for (int i = 0; i < na; i += 97) EXPECT_NEAR(MapFrame(w.path, i), 1.5 * i, 2.0) << "frame " << i;
}

}  // namespace
}  // namespace lx
