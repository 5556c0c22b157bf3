// Checks on the built sound index (data/words.txt beside the test binaries) and the
// recordings it names: the fixed entry numbers the lessons and drills rely on, that
// every file decodes, that the times point at speech, and that the course's words
// are all in the index.
#include <gtest/gtest.h>
#include <mpg123.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/foldcase.h"
#include "app/core/soundindex.h"
#include "app/core/textfile.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 22050;

struct Pcm {
  bool ok = false;
  int rate = 0;
  std::vector<short> samples;
};

Pcm DecodeMp3(const std::string& path) {
  Pcm pcm;
  int err = 0;
  mpg123_handle* h = mpg123_new(nullptr, &err);
  if (!h) return pcm;
  mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_FORCE_MONO, 0);
  mpg123_format_none(h);
  mpg123_format(h, kRate, MPG123_MONO, MPG123_ENC_SIGNED_16);
  if (mpg123_open(h, path.c_str()) == MPG123_OK) {
    std::vector<unsigned char> buf(1 << 16);
    size_t done = 0;
    int rc;
    do {
      rc = mpg123_read(h, buf.data(), buf.size(), &done);
      const short* s = reinterpret_cast<const short*>(buf.data());
      pcm.samples.insert(pcm.samples.end(), s, s + done / 2);
    } while (rc == MPG123_OK || rc == MPG123_NEW_FORMAT);
    long rate = 0;
    int channels = 0, enc = 0;
    mpg123_getformat(h, &rate, &channels, &enc);
    pcm.rate = static_cast<int>(rate);
    pcm.ok = rc == MPG123_DONE && !pcm.samples.empty();
    mpg123_close(h);
  }
  mpg123_delete(h);
  return pcm;
}

Pcm DecodeWav(const std::string& path) {
  Pcm pcm;
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return pcm;
  pcm.rate = info.samplerate;
  if (info.channels == 1) {
    pcm.samples.resize(static_cast<size_t>(info.frames));
    pcm.ok = sf_readf_short(f, pcm.samples.data(), info.frames) == info.frames && info.frames > 0;
  }
  sf_close(f);
  return pcm;
}

// Loaded once for all tests: the index and every recording it names, decoded.
struct Built {
  lx::SoundIndex index;
  bool loaded = false;
  std::string error;
  std::map<std::string, Pcm> audio;  // by the file field
  lx::DataDir dir{fs::current_path().string()};

  static const Built& Get() {
    static const Built built = Make();
    return built;
  }

 private:
  static Built Make() {
    Built b;
    std::string bytes;
    if (!lx::ReadFileBytes(b.dir.Path("data\\words.txt"), bytes)) {
      b.error = "data/words.txt is missing: build the course data first (tools/build-data.sh)";
      return b;
    }
    try {
      b.index.Load(bytes);
      b.loaded = true;
    } catch (const std::exception& e) {
      b.error = std::string("data/words.txt does not load: ") + e.what();
      return b;
    }
    for (int n = 1; n <= b.index.count(); ++n) {
      const std::string& file = b.index.entry(n).file;
      if (b.audio.count(file)) continue;
      const std::string path = b.dir.Path("data\\" + file);
      const bool mp3 = file.size() > 4 && file.substr(file.size() - 4) == ".mp3";
      b.audio[file] = mp3 ? DecodeMp3(path) : DecodeWav(path);
    }
    return b;
  }
};

const lx::SoundIndex& Index() {
  const Built& b = Built::Get();
  if (!b.loaded) ADD_FAILURE() << b.error;
  return b.index;
}

struct Fixed {
  int entry;
  const char* word;
  const char* transcription;
};

// Lesson 1's sounds: no word, the code without brackets.
const Fixed kSounds[] = {
    {3391, "", "a:"}, {3548, "", "A"}, {3525, "", "O:"}, {3528, "", "O"}, {3492, "", "u:"},
    {3495, "", "u"}, {3551, "", "I:"}, {3554, "", "I"}, {3442, "", "e"}, {3507, "", "x"},
    {3519, "", "q:"}, {3522, "", "q"}, {3448, "", "eI"}, {3429, "", "aI"}, {3531, "", "OI"},
    {3557, "", "Iq"}, {3498, "", "uq"}, {3445, "", "Fq"}, {3415, "", "au"}, {3478, "", "qu"},
    {3450, "", "f"}, {3500, "", "v"}, {3465, "", "k"}, {3453, "", "g"}, {3480, "", "p"},
    {3435, "", "b"}, {3484, "", "s"}, {3504, "", "z"}, {3486, "", "t"}, {3437, "", "d"},
    {3533, "", "S"}, {3536, "", "Z"}, {3542, "", "T"}, {3540, "", "D"}, {3488, "", "tS"},
    {3439, "", "dZ"}, {3473, "", "m"}, {3471, "", "l"}, {3461, "", "j"}, {3502, "", "w"},
    {3475, "", "n"}, {3560, "", "N"}, {3482, "", "r"}, {3456, "", "h"},
};

// The alphabet: the small letter and the transcription of its name.
const Fixed kLetters[] = {
    {1344, "a", "eI"}, {1482, "b", "bi:"}, {1673, "c", "si:"}, {285, "d", "di:"},
    {1963, "e", "i:"}, {2013, "f", "ef"}, {2091, "g", "dZi:"}, {2227, "h", "eItS"},
    {2276, "i", "aI"}, {2290, "j", "dZeI"}, {2304, "k", "keI"}, {643, "l", "el"},
    {2559, "m", "em"}, {2608, "n", "en"}, {2611, "o", "qu"}, {2634, "p", "pi:"},
    {2848, "q", "kju:"}, {2987, "r", "a:"}, {3121, "s", "es"}, {3194, "t", "ti:"},
    {1984, "u", "ju:"}, {3333, "v", "vi:"}, {3381, "w", "dAblju:"}, {3382, "x", "eks"},
    {3384, "y", "waI"}, {3388, "z", "zed"},
};

TEST(SoundData, LoadsWithTheProgramsLoader) {
  const auto& index = Index();
  EXPECT_GE(index.count(), 10000);
}

TEST(SoundData, FixedEntriesHoldTheSoundsAndLetters) {
  const auto& index = Index();
  ASSERT_GE(index.count(), 3560);
  std::vector<Fixed> all(std::begin(kSounds), std::end(kSounds));
  all.insert(all.end(), std::begin(kLetters), std::end(kLetters));
  for (const auto& f : all) {
    const lx::tsou& e = index.entry(f.entry);
    EXPECT_EQ(e.word, f.word) << "entry " << f.entry;
    EXPECT_EQ(e.transcription, f.transcription) << "entry " << f.entry;
    EXPECT_FALSE(e.file.empty()) << "entry " << f.entry;
    EXPECT_GT(e.end, e.start) << "entry " << f.entry;
  }
}

TEST(SoundData, EachLetterHasAPairEntryWithTheSameRecording) {
  const auto& index = Index();
  for (const auto& f : kLetters) {
    const std::string pair = lx::FoldUpper(f.word) + f.word;
    const int n = index.FindWord(pair);
    ASSERT_GT(n, 3560) << pair;
    const lx::tsou& letter = index.entry(f.entry);
    const lx::tsou& e = index.entry(n);
    EXPECT_EQ(e.transcription, letter.transcription) << pair;
    EXPECT_EQ(e.file, letter.file) << pair;
    EXPECT_EQ(e.start, letter.start) << pair;
    EXPECT_EQ(e.end, letter.end) << pair;
  }
}

TEST(SoundData, DrillRangesHoldDistinctWordsWithTranscriptions) {
  const auto& index = Index();
  ASSERT_GE(index.count(), 3560);
  std::set<int> sounds;
  for (const auto& f : kSounds) sounds.insert(f.entry);
  std::set<std::string> seen;
  for (int n = 1; n <= 3560; ++n) {
    const lx::tsou& e = index.entry(n);
    if (sounds.count(n)) continue;
    EXPECT_FALSE(e.word.empty()) << "entry " << n;
    EXPECT_FALSE(e.transcription.empty()) << "entry " << n;
    if (n <= 3388) {
      EXPECT_TRUE(seen.insert(e.word).second) << "'" << e.word << "' twice, again at " << n;
    }
  }
}

TEST(SoundData, TranscriptionsHoldOnlyWordCharacters) {
  const auto& index = Index();
  const std::regex ok("[A-Za-z0-9:'-]+");
  for (int n = 1; n <= index.count(); ++n) {
    const lx::tsou& e = index.entry(n);
    EXPECT_TRUE(std::regex_match(e.transcription, ok)) << "entry " << n << " [" << e.transcription << "]";
  }
}

TEST(SoundData, EveryFileDecodesAndHoldsItsWords) {
  const Built& b = Built::Get();
  ASSERT_TRUE(b.loaded) << b.error;
  std::set<std::string> kinds;
  for (const auto& [file, pcm] : b.audio) {
    EXPECT_TRUE(pcm.ok) << file << " does not decode";
    EXPECT_EQ(pcm.rate, kRate) << file;
    kinds.insert(file.substr(file.size() - 3));
  }
  EXPECT_TRUE(kinds.count("mp3") && kinds.count("wav")) << "both MP3 and WAV recordings are used";
  std::map<std::string, std::set<std::pair<int, int>>> words;
  for (int n = 1; n <= b.index.count(); ++n) {
    const lx::tsou& e = b.index.entry(n);
    const Pcm& pcm = b.audio.at(e.file);
    EXPECT_LE(static_cast<long long>(e.end) * kRate / 1000, static_cast<long long>(pcm.samples.size()))
        << "entry " << n << " ends after its file";
    words[e.file].insert({e.start, e.end});
  }
  for (const auto& [file, stretches] : words) {
    EXPECT_GE(stretches.size(), 200u) << file;
    EXPECT_LE(stretches.size(), 400u) << file;
  }
}

double Rms(const std::vector<short>& s, long long from, long long to) {
  from = std::max(0LL, from);
  to = std::min(static_cast<long long>(s.size()), to);
  if (to <= from) return 0;
  double sum = 0;
  for (long long i = from; i < to; ++i) sum += double(s[i]) * s[i];
  return std::sqrt(sum / double(to - from)) / 32768.0;
}

double Db(double x) { return x > 0 ? 20 * std::log10(x) : -200; }

TEST(SoundData, TimesMarkSpeechWithSilenceAround) {
  const Built& b = Built::Get();
  ASSERT_TRUE(b.loaded) << b.error;
  std::vector<int> sample;
  for (const auto& f : kSounds) sample.push_back(f.entry);
  for (const auto& f : kLetters) sample.push_back(f.entry);
  for (int n = 1; n <= b.index.count(); n += 37) sample.push_back(n);
  const long long margin = kRate * 30 / 1000;
  for (int n : sample) {
    const lx::tsou& e = b.index.entry(n);
    const Pcm& pcm = b.audio.at(e.file);
    const long long from = static_cast<long long>(e.start) * kRate / 1000;
    const long long to = static_cast<long long>(e.end) * kRate / 1000;
    EXPECT_GT(Db(Rms(pcm.samples, from, to)), -35) << "entry " << n << " '" << e.word << "' is quiet";
    EXPECT_LT(Db(Rms(pcm.samples, from - margin, from)), -50) << "sound before entry " << n << " '" << e.word << "'";
    EXPECT_LT(Db(Rms(pcm.samples, to, to + margin)), -50) << "sound after entry " << n << " '" << e.word << "'";
  }
}

// English words of a course text: runs of Latin letters, without transcriptions in
// brackets, style codes and inline picture letters (and tags in HTML).
std::set<std::string> CourseWords(std::string text, bool html) {
  if (html) {
    text = std::regex_replace(text, std::regex("<[^>]*>"), " ");
    text = std::regex_replace(text, std::regex("&#?[A-Za-z0-9_]+;"), " ");
  }
  text = std::regex_replace(text, std::regex("\\[[^\\]\\r\\n]*\\]"), " ");
  text = std::regex_replace(text, std::regex("#9[^]"), " ");
  // A style code inside a word does not split it: "m#8a#3ke" is "make" on the screen.
  text = std::regex_replace(text, std::regex("#[0-9]"), "");
  std::set<std::string> words;
  const std::regex word("[A-Za-z]+");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator(); ++it)
    words.insert(lx::FoldLower(it->str()));
  return words;
}

TEST(SoundData, CourseWordCutterSkipsMarkupAndTranscriptions) {
  const auto words = CourseWords("#1wave#5 [weIv]#3 #9s Таблица tables", false);
  EXPECT_EQ(words, (std::set<std::string>{"wave", "tables"}));
  EXPECT_EQ(CourseWords("#3(m#8a#3ke, ba#8ck#3)", false), (std::set<std::string>{"make", "back"}));
  EXPECT_EQ(CourseWords("<p class=\"x\">Big&nbsp;cat</p>", true), (std::set<std::string>{"big", "cat"}));
}

TEST(SoundData, EveryWordOfTheCourseTextsIsInTheIndex) {
  const auto& index = Index();
  const fs::path data = fs::path(LEXITAR_SOURCE_DIR) / "data";
  std::vector<std::pair<fs::path, bool>> files;
  if (fs::is_directory(data / "texts"))
    for (const auto& f : fs::recursive_directory_iterator(data / "texts"))
      if (f.path().extension() == ".txt") files.push_back({f.path(), false});
  if (fs::is_directory(data / "html"))
    for (const auto& f : fs::directory_iterator(data / "html"))
      if (f.path().extension() == ".html") files.push_back({f.path(), true});
  const std::set<std::string> skip{"words.txt", "dict1.txt", "dict2.txt", "info.txt"};
  for (const auto& f : fs::directory_iterator(data))
    if (f.path().extension() == ".txt" && !skip.count(f.path().filename().string())) files.push_back({f.path(), false});
  for (const auto& [path, html] : files) {
    std::string bytes;
    ASSERT_TRUE(lx::ReadFileBytes(path.string(), bytes)) << path;
    for (const auto& w : CourseWords(bytes, html))
      EXPECT_GT(index.FindWord(w), 0) << "'" << w << "' of " << path.filename() << " has no recording";
  }
}

}  // namespace
