// Audio layer and sound service, heard through SDL's disk driver: the capture file
// holds exactly the mixed samples, and the fixture's frames encode their own index.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/sound/soundservice.h"
#include "audio/audio.h"
#include "audio/decoder.h"

namespace lx {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr int kFixtureFrames = 3 * kRate;  // three seconds
constexpr int kSecondMarker = 20000;       // right channel of the second stream

// Frame i (from 0) carries i + 1 as left = low 14 bits, right = the rest, so silence
// (0, 0) is never a frame of the recording and a mix with a constant still decodes.
int16_t Low(int i) { return static_cast<int16_t>((i + 1) & 0x3FFF); }
int16_t High(int i) { return static_cast<int16_t>((i + 1) >> 14); }

void WriteWav(const fs::path& path, const std::vector<int16_t>& interleaved, int channels, int rate = kRate) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(f, nullptr);
  sf_writef_short(f, interleaved.data(), static_cast<sf_count_t>(interleaved.size() / channels));
  sf_close(f);
}

std::vector<int16_t> IndexFrames(int frames) {
  std::vector<int16_t> s;
  for (int i = 0; i < frames; ++i) {
    s.push_back(Low(i));
    s.push_back(High(i));
  }
  return s;
}

// Encodes a WAV with lame at a constant 192 kbit/s; false when lame is missing or fails.
bool EncodeMp3(const fs::path& wav, const fs::path& mp3) {
  if (access("/usr/bin/lame", X_OK) != 0) return false;
  const std::string cmd = "/usr/bin/lame --quiet -b 192 '" + wav.string() + "' '" + mp3.string() + "' 2>/dev/null";
  return std::system(cmd.c_str()) == 0;
}

// Up to `count` frames decoded from `frame` on.
std::vector<int16_t> DecodeAt(audio::Decoder& d, uint64_t frame, size_t count) {
  EXPECT_TRUE(d.Seek(frame));
  std::vector<int16_t> out(count * static_cast<size_t>(d.channels()));
  out.resize(d.Read(out.data(), count) * static_cast<size_t>(d.channels()));
  return out;
}

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "test_audio";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  return *app;
}

// Runs the event loop (for the stop timer) while `ms` milliseconds pass.
void Wait(int ms) {
  App();
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    usleep(1000);
  }
}

struct Capture {
  std::vector<int16_t> left, right;
  // Frame indices of the index-coded stream found in the capture, in order.
  std::vector<int> Indices(int rightOffset = 0) const {
    std::vector<int> out;
    for (size_t i = 0; i < left.size(); ++i) {
      const int r = right[i] - rightOffset;
      if (left[i] == 0 && r == 0) continue;
      out.push_back(left[i] + (r << 14) - 1);
    }
    return out;
  }
  size_t Sounding() const {
    size_t n = 0;
    for (size_t i = 0; i < left.size(); ++i) n += left[i] != 0 || right[i] != 0;
    return n;
  }
};

int bufferFrames = 0;  // the device's buffer, kept for after the device is closed

// Two output buffers plus 2% of the expected count.
int Slack(int frames) { return 2 * bufferFrames + frames / 50; }

class AudioTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    App();  // the stop timer needs the application object before it starts
    dir_ = fs::temp_directory_path() / ("lexitar-audio-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    WriteWav(dir_ / "index.wav", IndexFrames(kFixtureFrames), 2);
    std::vector<int16_t> marker;
    for (int i = 0; i < kRate / 5; ++i) {  // 200 ms: left 0, right constant
      marker.push_back(0);
      marker.push_back(kSecondMarker);
    }
    WriteWav(dir_ / "marker.wav", marker, 2);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  void SetUp() override {
    static int run = 0;
    capture_ = dir_ / ("capture-" + std::to_string(getpid()) + "-" + std::to_string(++run) + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture_.c_str(), 1);
    ASSERT_TRUE(BASS_Init(1, kRate, 4, nullptr, nullptr));
    BASS_Start();
    ASSERT_EQ(OutputRate(), kRate);
    bufferFrames = OutputBufferFrames();
    openedAt_ = std::chrono::steady_clock::now();
  }
  void TearDown() override { BASS_Free(); }

  // Closes the device (flushing the capture file) and reads what was mixed.
  // Also measures the disk driver's pace: on a busy machine it writes fewer frames
  // than the wall clock asks for, and a stretch timed by the wall clock shrinks alike.
  Capture Heard() {
    const std::chrono::duration<double> open = std::chrono::steady_clock::now() - openedAt_;
    BASS_Free();
    Capture c;
    std::ifstream in(capture_, std::ios::binary);
    int16_t frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
      c.left.push_back(frame[0]);
      c.right.push_back(frame[1]);
    }
    pace_ = std::min(1.0, double(c.left.size()) / (open.count() * kRate));
    return c;
  }
  // Frames the driver wrote in `seconds` of wall-clock time.
  double Paced(double seconds) const { return seconds * kRate * pace_; }

  static fs::path dir_;
  fs::path capture_;
  std::chrono::steady_clock::time_point openedAt_;
  double pace_ = 1.0;
};

fs::path AudioTest::dir_;

void ExpectContiguous(const std::vector<int>& idx, int first) {
  ASSERT_FALSE(idx.empty());
  EXPECT_EQ(idx.front(), first);
  for (size_t i = 1; i < idx.size(); ++i)
    ASSERT_EQ(idx[i], idx[i - 1] + 1) << "gap or repeat after frame " << idx[i - 1];
}

TEST_F(AudioTest, ConversionsAndSeekRule) {
  const AudioHandle h = BASS_StreamCreateFile(false, (dir_ / "index.wav").string(), 0, 0, 0);
  ASSERT_NE(h, 0u);
  const uint64_t length = BASS_ChannelGetLength(h);
  EXPECT_EQ(length, uint64_t{kFixtureFrames} * 4);
  struct {
    int64_t ms;
    uint64_t bytes;
    int64_t back;  // both directions drop the fraction
  } conv[] = {{0, 0, 0},       {-5, 0, 0},   {1, 44 * 4, 0}, {10, 441 * 4, 10}, {1000, 44100 * 4, 1000},
              {1499, 66105 * 4, 1498}, {3000, 132300 * 4, 3000}};
  for (const auto& c : conv) {
    EXPECT_EQ(MsToBytes(h, c.ms), c.bytes) << c.ms;
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(h, c.ms / 1000.0), c.bytes) << c.ms;
    EXPECT_EQ(BytesToMs(h, c.bytes), c.back) << c.ms;
  }
  EXPECT_EQ(BytesToMs(h, length), 3000);
  EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(h, 44100 * 4), 1.0);

  struct {
    uint64_t bytes, length, want;
  } seek[] = {{0, 100, 0}, {40, 100, 40}, {99, 100, 99}, {100, 100, 100}, {500, 100, 100}, {0, 0, 0}};
  for (const auto& s : seek) EXPECT_EQ(SeekTarget(s.bytes, s.length), s.want) << s.bytes << " of " << s.length;

  SeekMs(h, 2000);
  EXPECT_EQ(BASS_ChannelGetPosition(h), uint64_t{2 * kRate} * 4);
  SeekMs(h, 99000);
  EXPECT_EQ(BASS_ChannelGetPosition(h), length);
  BASS_StreamFree(h);
}

TEST_F(AudioTest, HandleZeroAndFreedHandlesDoNothing) {
  EXPECT_FALSE(BASS_ChannelPlay(0, false));
  EXPECT_FALSE(BASS_ChannelStop(0));
  EXPECT_FALSE(BASS_ChannelSetPosition(0, 4));
  SeekMs(0, 100);
  EXPECT_EQ(BASS_ChannelGetLength(0), 0u);
  EXPECT_EQ(BASS_ChannelGetPosition(0), 0u);
  const AudioHandle h = BASS_StreamCreateFile(false, (dir_ / "index.wav").string(), 0, 0, 0);
  ASSERT_NE(h, 0u);
  EXPECT_TRUE(BASS_StreamFree(h));
  EXPECT_FALSE(BASS_ChannelPlay(h, false));
  const AudioHandle next = BASS_StreamCreateFile(false, (dir_ / "index.wav").string(), 0, 0, 0);
  EXPECT_NE(next, h);  // handles are never reused
  Wait(50);
  EXPECT_EQ(Heard().Sounding(), 0u);
}

TEST_F(AudioTest, StopKeepsThePositionAndPlayResumes) {
  const AudioHandle h = BASS_StreamCreateFile(false, (dir_ / "index.wav").string(), 0, 0, 0);
  SeekMs(h, 500);
  BASS_ChannelPlay(h, false);
  Wait(200);
  BASS_ChannelStop(h);
  const uint64_t stopped = BASS_ChannelGetPosition(h);
  Wait(100);
  EXPECT_EQ(BASS_ChannelGetPosition(h), stopped);
  BASS_ChannelPlay(h, false);
  Wait(200);
  BASS_ChannelStop(h);
  const uint64_t final = BASS_ChannelGetPosition(h);
  const auto idx = Heard().Indices();
  // One unbroken run from 0.5 s: the resume went on from the very frame it stopped at.
  ExpectContiguous(idx, kRate / 2);
  EXPECT_EQ(uint64_t(idx.back() + 1) * 4, final);
  EXPECT_NEAR(double(idx.size()), Paced(0.4), Slack(kRate * 2 / 5));
}

TEST_F(AudioTest, SeekWhilePlayingContinuesFromTheNewPosition) {
  const AudioHandle h = BASS_StreamCreateFile(false, (dir_ / "index.wav").string(), 0, 0, 0);
  SeekMs(h, 200);
  BASS_ChannelPlay(h, false);
  Wait(100);
  SeekMs(h, 2000);
  Wait(100);
  BASS_ChannelStop(h);
  const auto idx = Heard().Indices();
  ASSERT_FALSE(idx.empty());
  EXPECT_EQ(idx.front(), kRate / 5);
  size_t jump = 0;
  for (size_t i = 1; i < idx.size(); ++i)
    if (idx[i] != idx[i - 1] + 1) {
      ASSERT_EQ(jump, 0u) << "more than one jump";
      jump = i;
    }
  ASSERT_NE(jump, 0u);
  EXPECT_EQ(idx[jump], 2 * kRate);
  for (size_t i = jump + 1; i < idx.size(); ++i) ASSERT_EQ(idx[i], idx[i - 1] + 1);
}

TEST_F(AudioTest, TwoStreamsPlayMixed) {
  const AudioHandle a = BASS_StreamCreateFile(false, (dir_ / "index.wav").string(), 0, 0, 0);
  const AudioHandle b = BASS_StreamCreateFile(false, (dir_ / "marker.wav").string(), 0, 0, 0);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  BASS_ChannelPlay(a, false);
  Wait(100);
  BASS_ChannelPlay(b, false);
  Wait(400);  // the marker (200 ms) ends while the first stream goes on
  BASS_ChannelStop(a);
  const Capture c = Heard();
  std::vector<int> idx;
  size_t both = 0;
  for (size_t i = 0; i < c.left.size(); ++i) {
    if (c.left[i] == 0 && c.right[i] == 0) continue;
    int r = c.right[i];
    if (r >= kSecondMarker) {
      r -= kSecondMarker;
      ++both;
    }
    idx.push_back(c.left[i] + (r << 14) - 1);
  }
  // The marker sounded whole, on top of the first stream, which was not disturbed.
  EXPECT_EQ(both, size_t{kRate / 5});
  ExpectContiguous(idx, 0);
}

// The course's recordings are 22,050 Hz mono: converted to the device rate, whole
// to the last frame, with byte positions in the file's own format.
TEST_F(AudioTest, MonoAtHalfTheRatePlaysWholeAtTheDeviceRate) {
  WriteWav(dir_ / "mono.wav", std::vector<int16_t>(kRate / 2, 10000), 1, kRate / 2);  // one second
  const AudioHandle h = BASS_StreamCreateFile(false, (dir_ / "mono.wav").string(), 0, 0, 0);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(BASS_ChannelGetLength(h), uint64_t{kRate / 2} * 2);
  EXPECT_EQ(MsToBytes(h, 1499), 33052u * 2);
  SeekMs(h, 500);
  BASS_ChannelPlay(h, false);
  Wait(800);
  EXPECT_FALSE(ChannelIsPlaying(h));
  EXPECT_EQ(BASS_ChannelGetPosition(h), BASS_ChannelGetLength(h));
  const Capture c = Heard();
  // Half a second at the device rate, in both channels alike; the tail is not lost.
  EXPECT_NEAR(double(c.Sounding()), kRate / 2, 64);
  EXPECT_EQ(c.left, c.right);
}

// The sound service over a WAV and, when lame can make one, an MP3 of the fixture.
class SoundServiceTest : public AudioTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    file_ = std::string("index.") + GetParam();
    if (file_ == "index.mp3") {
      if (access("/usr/bin/lame", X_OK) != 0) GTEST_SKIP() << "lame is not installed";
      if (!fs::exists(dir_ / file_)) {
        ASSERT_TRUE(EncodeMp3(dir_ / "index.wav", dir_ / file_));
      }
    }
    index_.Append({"Apple", "", file_, 1000, 1499});
    index_.Append({"tail", "", file_, 2500, 0});
    index_.Append({"short", "", file_, 300, 399});
    service_ = std::make_unique<SoundService>(index_, DataDir(dir_.string()));
  }
  void TearDown() override {
    service_.reset();
    AudioTest::TearDown();
  }
  bool Exact() const { return file_ == "index.wav"; }  // MP3 is lossy: only positions are exact

  std::string file_;
  SoundIndex index_;
  std::unique_ptr<SoundService> service_;
};

// The recording lies in DataDir + "data\": put the fixture there.
TEST_P(SoundServiceTest, EntryPlaysItsStretchOnly) {
  fs::create_directories(dir_ / "data");
  fs::copy_file(dir_ / file_, dir_ / "data" / file_, fs::copy_options::overwrite_existing);
  const AudioHandle probe = BASS_StreamCreateFile(false, (dir_ / file_).string(), 0, 0, 0);
  EXPECT_EQ(BytesToMs(probe, BASS_ChannelGetLength(probe)), 3000);  // gapless MP3 keeps the length
  BASS_StreamFree(probe);

  service_->playnums(1);
  ASSERT_NE(service_->AudioChannel(), 0u);
  Wait(800);
  EXPECT_FALSE(service_->Timer1()->isActive());
  const int64_t pos = BytesToMs(service_->AudioChannel(), BASS_ChannelGetPosition(service_->AudioChannel()));
  const Capture c = Heard();
  EXPECT_NEAR(double(pos), 1000 + 1000 * Paced(0.5) / kRate, 1000.0 * Slack(kRate / 2) / kRate);
  if (Exact()) {
    const auto idx = c.Indices();
    ExpectContiguous(idx, kRate);
    EXPECT_NEAR(double(idx.size()), Paced(0.5), Slack(kRate / 2));
  } else {
    EXPECT_NEAR(double(c.Sounding()), Paced(0.5), Slack(kRate / 2));
  }
}

TEST_P(SoundServiceTest, SecondPlayInQuickSuccessionPlaysWhole) {
  fs::create_directories(dir_ / "data");
  fs::copy_file(dir_ / file_, dir_ / "data" / file_, fs::copy_options::overwrite_existing);
  service_->playnums(3);  // 100 ms from 0.3 s: its stop is due first
  Wait(30);
  service_->playnums(1);  // 500 ms from 1 s must not be cut at the first one's stop
  Wait(800);
  const Capture c = Heard();
  if (!Exact()) {
    EXPECT_GT(double(c.Sounding()), Paced(0.5) - Slack(kRate / 2));
    return;
  }
  const auto idx = c.Indices();
  ASSERT_FALSE(idx.empty());
  EXPECT_EQ(idx.front(), kRate * 3 / 10);
  size_t second = 0;
  while (second < idx.size() && idx[second] < kRate) ++second;
  ASSERT_LT(second, idx.size());
  // The first sound stopped at once: it got no further than its own 30 ms and a buffer or two.
  EXPECT_LT(second, size_t{kRate / 10});
  const std::vector<int> tail(idx.begin() + second, idx.end());
  ExpectContiguous(tail, kRate);
  EXPECT_NEAR(double(tail.size()), Paced(0.5), Slack(kRate / 2));
}

TEST_P(SoundServiceTest, EndZeroPlaysToTheEndOfTheFile) {
  fs::create_directories(dir_ / "data");
  fs::copy_file(dir_ / file_, dir_ / "data" / file_, fs::copy_options::overwrite_existing);
  service_->playwords("tail");
  EXPECT_FALSE(service_->Timer1()->isActive());  // 0 - 2500 + 1 is too large to schedule
  Wait(700);
  const AudioHandle h = service_->AudioChannel();
  EXPECT_EQ(BASS_ChannelGetPosition(h), BASS_ChannelGetLength(h));
  const Capture c = Heard();
  if (Exact()) {
    const auto idx = c.Indices();
    ExpectContiguous(idx, kRate * 5 / 2);
    EXPECT_EQ(idx.back(), kFixtureFrames - 1);
  } else {
    EXPECT_NEAR(double(c.Sounding()), kRate / 2, Slack(kRate / 2));
  }
}

TEST_P(SoundServiceTest, WordsMatchCaseSensitively) {
  fs::create_directories(dir_ / "data");
  fs::copy_file(dir_ / file_, dir_ / "data" / file_, fs::copy_options::overwrite_existing);
  service_->playwords("apple");
  service_->playwords("APPLE");
  service_->playwords("Appl");
  EXPECT_EQ(service_->AudioChannel(), 0u);
  Wait(100);
  EXPECT_EQ(Heard().Sounding(), 0u);
}

// A freed MP3 stream leaves its scanned decoder for the next open of the file. Such
// a decoder starts at 0 and decodes every position exactly as a freshly scanned one,
// and two decoders of one file open at once never share one.
TEST_F(AudioTest, KeptMp3DecodersDecodeLikeFreshOnes) {
  const fs::path mp3 = dir_ / "kept.mp3";
  if (!EncodeMp3(dir_ / "index.wav", mp3)) GTEST_SKIP() << "lame is not installed";
  const auto fresh = audio::OpenDecoder(mp3.string());
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->frames(), uint64_t{kFixtureFrames});
  const uint64_t positions[] = {0, kRate, kRate * 5 / 2, fresh->frames() - 300};
  std::vector<std::vector<int16_t>> want;
  for (uint64_t p : positions) want.push_back(DecodeAt(*fresh, p, 1000));

  // Each decoder is freed away from the start, where the next one takes it up.
  for (size_t i = 0; i < std::size(positions); ++i) {
    const auto d = audio::OpenDecoder(mp3.string());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->frames(), fresh->frames());
    std::vector<int16_t> start(1000 * 2);
    start.resize(d->Read(start.data(), 1000) * 2);
    EXPECT_EQ(start, want[0]) << "round " << i << " did not start at 0";
    EXPECT_EQ(DecodeAt(*d, positions[i], 1000), want[i]) << "at frame " << positions[i];
  }
  const auto a = audio::OpenDecoder(mp3.string());
  const auto b = audio::OpenDecoder(mp3.string());
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(a->Seek(positions[2]));
  ASSERT_TRUE(b->Seek(positions[1]));
  std::vector<int16_t> fromA(1000 * 2), fromB(1000 * 2);
  fromA.resize(a->Read(fromA.data(), 1000) * 2);
  fromB.resize(b->Read(fromB.data(), 1000) * 2);
  EXPECT_EQ(fromA, want[2]);
  EXPECT_EQ(fromB, want[1]);
}

// The background scan keeps one decoder per MP3 among the recordings, and nothing for
// other files; the first play then decodes exactly like a fresh decoder.
TEST_F(AudioTest, PreparedRecordingsAreKeptScanned) {
  const fs::path one = dir_ / "prepared1.mp3", two = dir_ / "prepared2.mp3";
  if (!EncodeMp3(dir_ / "index.wav", one)) GTEST_SKIP() << "lame is not installed";
  ASSERT_TRUE(EncodeMp3(dir_ / "index.wav", two));
  const size_t before = audio::KeptMp3Count();
  PrepareRecordings({one.string(), two.string(), (dir_ / "index.wav").string(), (dir_ / "absent.mp3").string(),
                     one.string()});
  for (int i = 0; i < 500 && PreparingRecordings(); ++i) usleep(10000);
  ASSERT_FALSE(PreparingRecordings());
  EXPECT_EQ(audio::KeptMp3Count(), before + 2);
  const auto prepared = audio::OpenDecoder(one.string());
  ASSERT_TRUE(prepared);
  EXPECT_EQ(audio::KeptMp3Count(), before + 1) << "the first open takes the kept decoder";
  EXPECT_EQ(prepared->frames(), uint64_t{kFixtureFrames});
  const auto fresh = audio::OpenDecoder(one.string());  // none kept now: scans anew
  ASSERT_TRUE(fresh);
  std::vector<int16_t> start(1000 * 2), freshStart(1000 * 2);
  start.resize(prepared->Read(start.data(), 1000) * 2);
  freshStart.resize(fresh->Read(freshStart.data(), 1000) * 2);
  EXPECT_EQ(start, freshStart);
  EXPECT_EQ(DecodeAt(*prepared, kRate * 2, 4), DecodeAt(*audio::OpenDecoder(two.string()), kRate * 2, 4));
}

// A recording written over in place (same size, same file, only its times differ)
// or replaced by another under the same name is read anew, not by a kept decoder.
TEST_F(AudioTest, ReplacedMp3IsReadAnew) {
  WriteWav(dir_ / "silent.wav", std::vector<int16_t>(2 * kFixtureFrames, 0), 2);
  WriteWav(dir_ / "second.wav", IndexFrames(kRate), 2);
  const fs::path silent = dir_ / "silent.mp3", index = dir_ / "index3.mp3", second = dir_ / "second.mp3";
  if (!EncodeMp3(dir_ / "silent.wav", silent)) GTEST_SKIP() << "lame is not installed";
  ASSERT_TRUE(EncodeMp3(dir_ / "index.wav", index));
  ASSERT_TRUE(EncodeMp3(dir_ / "second.wav", second));
  // The same size as the silent file (constant bit rate), but its frames lie 1000
  // bytes further on behind an ID3v2 tag, and the last ones are cut.
  const fs::path tagged = dir_ / "tagged.mp3";
  {
    std::ifstream in(index, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), fs::file_size(silent));
    std::string tag("ID3\x04\0\0\0\0\x07\x5e", 10);  // 990 bytes of padding follow
    tag.resize(1000, '\0');
    std::ofstream(tagged, std::ios::binary) << tag << bytes.substr(0, bytes.size() - tag.size());
  }

  const fs::path target = dir_ / "replaced.mp3";
  struct {
    fs::path source;
    bool rename;  // a new file moved over the name, else the same file rewritten
  } steps[] = {{silent, false}, {tagged, false}, {second, true}, {silent, false}};
  for (const auto& step : steps) {
    usleep(20000);  // file times are coarse: let them move on
    if (step.rename) {
      fs::copy_file(step.source, dir_ / "incoming.mp3", fs::copy_options::overwrite_existing);
      fs::rename(dir_ / "incoming.mp3", target);
    } else {
      fs::copy_file(step.source, target, fs::copy_options::overwrite_existing);
    }
    const auto got = audio::OpenDecoder(target.string());
    const auto want = audio::OpenDecoder(step.source.string());
    ASSERT_TRUE(got && want);
    EXPECT_EQ(got->frames(), want->frames()) << step.source;
    for (uint64_t p : {uint64_t{0}, uint64_t{kRate / 2}})
      EXPECT_EQ(DecodeAt(*got, p, 1000), DecodeAt(*want, p, 1000)) << step.source << " at frame " << p;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, SoundServiceTest, ::testing::Values("wav", "mp3"));

TEST(StopInterval, UnsignedCountOfMilliseconds) {
  struct {
    int32_t start, end;
    uint32_t want;
  } cases[] = {{1000, 1499, 500}, {1000, 1000, 1}, {1000, 999, 0}, {2500, 0, 4294964797u}, {0, 0, 1}};
  for (const auto& c : cases) EXPECT_EQ(SoundService::StopInterval(c.start, c.end), c.want) << c.start << ".." << c.end;
}

// Bad files: a 0 handle or a shorter stream, no crash, and nothing on stderr.
TEST_F(AudioTest, BadFilesGiveNoHandleOrAShorterStreamQuietly) {
  const fs::path d = dir_;
  std::ofstream(d / "empty.wav").close();
  {
    std::mt19937 rng(7);
    std::ofstream f(d / "random.mp3", std::ios::binary);
    for (int i = 0; i < 20000; ++i) f.put(static_cast<char>(rng()));
  }
  {
    std::ifstream in(d / "index.wav", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    bytes[8] = 'X';  // "WAVE" is no longer there
    std::ofstream(d / "broken.wav", std::ios::binary) << bytes.substr(0, 4000);
  }
  const bool haveMp3 = EncodeMp3(d / "index.wav", d / "whole.mp3");
  if (haveMp3) {
    std::ifstream in(d / "whole.mp3", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(d / "truncated.mp3", std::ios::binary) << bytes.substr(0, bytes.size() / 3 + 77);
  }

  // Everything the library writes to stderr goes to a file while the files are tried.
  const fs::path errPath = d / "stderr.txt";
  std::fflush(stderr);
  const int saved = dup(2);
  FILE* err = std::fopen(errPath.c_str(), "w");
  dup2(fileno(err), 2);

  AudioHandle handles[4] = {
      BASS_StreamCreateFile(false, (d / "missing.wav").string(), 0, 0, 0),
      BASS_StreamCreateFile(false, (d / "empty.wav").string(), 0, 0, 0),
      BASS_StreamCreateFile(false, (d / "random.mp3").string(), 0, 0, 0),
      BASS_StreamCreateFile(false, (d / "broken.wav").string(), 0, 0, 0),
  };
  uint64_t truncatedLength = 0;
  if (haveMp3) {
    const AudioHandle t = BASS_StreamCreateFile(false, (d / "truncated.mp3").string(), 0, 0, 0);
    truncatedLength = BASS_ChannelGetLength(t);
    SeekMs(t, 900);
    BASS_ChannelPlay(t, false);
    Wait(300);
    BASS_StreamFree(t);
  }
  for (AudioHandle h : handles) {
    SeekMs(h, 100);
    BASS_ChannelPlay(h, false);
  }
  Wait(50);
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  std::fclose(err);

  for (AudioHandle h : handles) EXPECT_EQ(h, 0u);
  if (haveMp3) {
    EXPECT_LT(truncatedLength, uint64_t{kFixtureFrames} * 4);
  }
  std::ifstream in(errPath);
  const std::string printed((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(printed, "");
}

}  // namespace
}  // namespace lx
