#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/textcodec.h"
#include "reader/transport.h"
#include "reader/wordkey.h"

namespace {

using lx::AudioEntry;
using lx::ReaderProject;
using lx::Stretch;

AudioEntry EntryOf(std::vector<std::pair<int32_t, int32_t>> points) {
  AudioEntry e;
  e.path = "/book.wav";
  e.available = true;
  for (auto [p, a] : points) e.points.push_back({p, a, ""});
  return e;
}

// A text of `length` letters with full stops at the given 1-based indexes.
std::string TextWithStops(int length, std::vector<int> stops) {
  std::string t(static_cast<size_t>(length), 'a');
  for (int k : stops) t[static_cast<size_t>(k - 1)] = '.';
  return t;
}

TEST(ReaderStretch, ClickPlaysTheInterpolatedStretch) {
  const AudioEntry line = EntryOf({{0, 0}, {1000, 60000}});
  const std::string stops = TextWithStops(1000, {600, 700});
  const std::string plain = TextWithStops(1000, {});
  struct Case {
    const char* what;
    const AudioEntry entry;
    const std::string& text;
    int32_t p;
    bool marker;
    Stretch expected;
  };
  const AudioEntry none = EntryOf({});
  const AudioEntry one = EntryOf({{100, 5000}});
  const Case cases[] = {
      // 36060 is 3940 from the target 40000, 42060 only 2060: the later mark wins.
      {"snapped to the nearer mark", line, stops, 500, false, {30000, 42060}},
      {"no mark after the click", line, plain, 500, false, {30000, 40000}},
      {"no points", none, plain, 500, false, {0, 10000}},
      {"one point, click on it", one, plain, 100, false, {0, 10000}},
      {"one point, click after it", one, plain, 101, false, {5000, 15000}},
      // The character before the caret (the 600th) is a marker: about one character.
      {"marker before the caret", line, stops, 600, true, {36060, 36120}},
      // No marker: back to the start of the text, forward to its end.
      {"no marker", line, plain, 500, true, {120, 60120}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Stretch s = lx::StretchFor(c.entry, c.text, c.p, 10000, c.marker, lx::kDefaultMarkers);
    EXPECT_EQ(s, c.expected);
  }
}

TEST(ReaderStretch, SnappedEndKeepsTheWidthWhenTheMarkIsTooNearOrTooFar) {
  const AudioEntry line = EntryOf({{0, 0}, {1000, 60000}});
  // A mark at 520 gives 31260, only 1260 after the start: too near, so start + W.
  EXPECT_EQ(lx::SnappedEnd(line, TextWithStops(1000, {520}), 500, 30000, 10000), 40000);
  // An equal distance: the later mark wins (59500 and 60500 around the target 60000).
  const AudioEntry steep = EntryOf({{0, 0}, {1000, 100000}});
  EXPECT_EQ(lx::SnappedEnd(steep, TextWithStops(1000, {594, 604}), 500, 50000, 10000), 60500);
}

TEST(ReaderStretch, ChoosesTheCoveringOrTheNearestEntry) {
  ReaderProject p;
  p.AddAudioEntry("/one.wav");
  p.entries[0].points = {{0, 0, ""}, {1000, 60000, ""}};
  p.AddAudioEntry("/two.wav");
  p.entries[1].points = {{1000, 0, ""}, {2000, 50000, ""}};
  p.AddAudioEntry("/empty.wav");
  p.SelectEntry(3);
  EXPECT_EQ(lx::ChooseEntryFor(p, 500), 1);
  EXPECT_EQ(lx::ChooseEntryFor(p, 1000), 2);  // the last covering entry
  // Beyond every point: the entry whose last point is nearest, extrapolated along its last pair.
  EXPECT_EQ(lx::ChooseEntryFor(p, 2600), 2);
  EXPECT_EQ(lx::TextToAudio(p.entries[1], 2600), 80000);
  ReaderProject empty;
  empty.AddAudioEntry("/a.wav");
  EXPECT_EQ(lx::ChooseEntryFor(empty, 10), 1);  // no points anywhere: the current entry
}

TEST(ReaderStretch, ClampAndSkips) {
  EXPECT_EQ(lx::ClampStretch({-5, 70000}, 60000, 10000), (Stretch{0, 50000}));
  EXPECT_EQ(lx::BackTarget(12000), 0);
  EXPECT_EQ(lx::BackTarget(20000), 5000);
  EXPECT_EQ(lx::ForwardTarget(50000, 60000), 60000);
  EXPECT_EQ(lx::ForwardTarget(30000, 60000), 45000);
}

// A stream and a view that only record.
struct FakeStream : lx::ReaderStream {
  bool open = false, playing = false;
  int32_t position = 0, length = 60000;
  std::string path;
  bool Open(const std::string& p) override { return open = true, path = p, position = 0, true; }
  void Close() override { open = playing = false; }
  bool isOpen() const override { return open; }
  int32_t LengthMs() const override { return open ? length : 0; }
  int32_t LengthSeconds() const override { return LengthMs() / 1000; }
  int32_t PositionMs() const override { return position; }
  void SetPositionMs(int32_t ms) override { position = ms; }
  void Play() override { playing = open; }
  void Stop() override { playing = false; }
};

struct FakeView : lx::TransportView {
  bool recording = false;
  int32_t sliderMax = 0, sliderAt = 0, label = 0, timer = -1, cursor = -1;
  void ShowRecording(bool shown) override { recording = shown; }
  void SetSliderMaximum(int32_t s) override { sliderMax = s; }
  void ShowPosition(int32_t s, int32_t ms) override { sliderAt = s, label = ms; }
  void ShowPositionLabel(int32_t ms) override { label = ms; }
  int32_t SliderMaximum() const override { return sliderMax; }
  void ArmStretchTimer(int32_t ms) override { timer = ms; }
  void DisarmStretchTimer() override { timer = -1; }
  void PointsChanged(int32_t row) override { cursor = row; }
};

struct TransportFixture : ::testing::Test {
  ReaderProject project;
  FakeStream stream;
  FakeView view;
  lx::ReaderTransport transport{project, stream, view, [](const std::string& p) { return p != "/missing.wav"; }};
};

TEST_F(TransportFixture, PlayWithoutAPlayableRecordingDoesNothing) {
  transport.PlayClick();
  EXPECT_FALSE(transport.playMode());
  project.AddAudioEntry("/missing.wav", false);
  transport.PlayClick();
  EXPECT_FALSE(transport.playMode());
  EXPECT_FALSE(view.recording);
  transport.BackClick();  // nothing while AudioReady is false
  EXPECT_EQ(view.label, 0);
}

TEST_F(TransportFixture, RecordingInsertsInOrderAndErrorDeletesTheLastRow) {
  project.AddAudioEntry("/book.wav");
  project.current()->points = {{100, 1000, ""}, {300, 3000, ""}};
  transport.PlayClick();
  ASSERT_TRUE(transport.playMode());
  EXPECT_TRUE(view.recording);
  EXPECT_TRUE(stream.playing);
  stream.position = 20000;
  const std::string text(400, 'x');
  EXPECT_EQ(transport.EnglishClick(50, text), lx::ReaderTransport::ClickResult::Recorded);
  const auto& pts = project.current()->points;
  ASSERT_EQ(pts.size(), 3u);
  EXPECT_EQ(pts[0].textPosition, 50);
  EXPECT_EQ(pts[0].audioMs, 20000);
  EXPECT_EQ(view.cursor, 3);  // the table's cursor goes to its last row
  // "Ошибка" deletes the selected (last) row, the highest point, then goes back 15 s.
  transport.ErrorClick(view.cursor);
  ASSERT_EQ(pts.size(), 2u);
  EXPECT_EQ(pts[0].textPosition, 50);
  EXPECT_EQ(pts[1].textPosition, 100);
  EXPECT_EQ(stream.position, 5000);
  EXPECT_TRUE(stream.playing);
  transport.StopClick();
  EXPECT_FALSE(transport.playMode());
  EXPECT_FALSE(view.recording);
}

TEST_F(TransportFixture, StretchTimerAndEndOfRecording) {
  project.AddAudioEntry("/book.wav");
  project.current()->points = {{0, 0, ""}, {1000, 60000, ""}};
  transport.OpenCurrentEntry(false);
  transport.SetAudioReady(true);
  const std::string text(1000, 'x');
  EXPECT_EQ(transport.EnglishClick(500, text), lx::ReaderTransport::ClickResult::Played);
  EXPECT_EQ(stream.position, 30000);
  EXPECT_TRUE(stream.playing);
  EXPECT_EQ(transport.rangeEnd(), 40000);
  EXPECT_EQ(view.timer, 10001);
  EXPECT_EQ(view.sliderAt, 30);
  transport.Timer3Fired();
  EXPECT_FALSE(stream.playing);
  EXPECT_EQ(transport.rangeEnd(), -1);

  // Recording runs to 100 ms before the end, then stops and rewinds.
  transport.PlayClick();
  stream.position = 59950;
  transport.Timer1Tick();
  EXPECT_FALSE(transport.playMode());
  EXPECT_FALSE(stream.playing);
  EXPECT_EQ(stream.position, 0);
  // With the audiobook switched off a click plays nothing.
  transport.audiobookOn = false;
  EXPECT_EQ(transport.EnglishClick(500, text), lx::ReaderTransport::ClickResult::Nothing);
}

TEST_F(TransportFixture, AClickOpensTheChosenEntryWithoutPlayingIt) {
  project.AddAudioEntry("/one.wav");
  project.current()->points = {{0, 0, ""}, {100, 6000, ""}};
  project.AddAudioEntry("/two.wav");
  project.current()->points = {{100, 0, ""}, {200, 6000, ""}};
  project.SelectEntry(2);
  transport.OpenCurrentEntry(false);
  transport.SetAudioReady(true);
  transport.EnglishClick(50, std::string(300, 'x'));
  EXPECT_EQ(project.currentEntry, 1);
  EXPECT_EQ(stream.path, "/one.wav");
  EXPECT_EQ(stream.position, 3000);
}

TEST(ReaderWordField, KeysAndPronunciation) {
  struct Case {
    const char* text;
    const char* key;
    bool pronounce;
  };
  const Case cases[] = {{"b", "Bb", true},   {"a", "a", false},       {"7", "7", false},
                        {"B", "Bb", true},   {"o:k", "ok", false},    {":", "", true},
                        {"\xe6", "\xc6\xe6", true}};
  for (const Case& c : cases) {
    const lx::WordKey k = lx::WordFieldKey(c.text);
    EXPECT_EQ(k.key, c.key) << c.text;
    EXPECT_EQ(k.pronounce, c.pronounce) << c.text;
  }
}

TEST(ReaderTextCodec, Utf8OnlyWhenValidWithAMultiByteSequence) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"Windows-1251", "\xcf\xf0\xe8\xe2\xe5\xf2\r\n", u"Привет\r\n"},
      {"UTF-8", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82\r\n", u"Привет\r\n"},
      {"UTF-8 beyond the code page", "\xe2\x80\x94 \xf0\x9f\x93\x96", u"— \U0001F4D6"},
      {"byte-order mark, plain ASCII", "\xef\xbb\xbfHello.", u"Hello."},
      {"plain ASCII", "Hello.", u"Hello."},
      // A valid pair followed by a stray byte is not UTF-8.
      {"broken UTF-8", "\xd0\x9f\xd1", u"Рџ\u0421"},
      {"overlong form", "\xc0\xaf", u"АЇ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lx::DecodeText(c.bytes), c.text) << c.what;
  }
}

}  // namespace
