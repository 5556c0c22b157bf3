// The reader's figures: opening a 1 MB English text and a 1 MB Russian text in the
// window (load, split, align); sentence splitting per byte at growing sizes; the
// parts of the split fuzz target's work on one dense input; the delay from a click
// in the sample book to the first sample of its stretch; and a 10-hour recording
// opened and sought without decoding it whole, with the resident memory.
#include <QApplication>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "audio/audio.h"
#include "reader/Unit2.h"
#include "reader/alignment.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

long RssMb() {
  std::ifstream in("/proc/self/status");
  std::string key;
  long kb = 0;
  while (in >> key) {
    if (key == "VmRSS:") {
      in >> kb;
      break;
    }
  }
  return kb / 1024;
}

// About `bytes` of prose: sentences of `least` to `least` + 16 words from `words`,
// paragraphs of 5.
std::string Prose(size_t bytes, const std::vector<std::string>& words, std::mt19937& rng, int least = 4) {
  std::string t;
  int sentence = 0;
  while (t.size() < bytes) {
    const int n = least + static_cast<int>(rng() % 17);
    for (int i = 0; i < n; ++i) {
      std::string w = words[rng() % words.size()];
      if (i == 0) w[0] = static_cast<char>(w[0] == '\xe0' ? '\xc0' : std::toupper(static_cast<unsigned char>(w[0])));
      t += w;
      t += i + 1 < n ? (rng() % 9 == 0 ? ", " : " ") : ". ";
    }
    if (++sentence % 5 == 0) t += "\r\n";
  }
  return t;
}

void WriteFile(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// A WAV header for `seconds` of 16-bit mono at 22050 Hz over a sparse file.
void SparseWav(const fs::path& p, uint32_t seconds) {
  const uint32_t rate = 22050, data = seconds * rate * 2;
  std::ofstream out(p, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + data);
  out.write("WAVEfmt ", 8);
  u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16);
  out.write("data", 4);
  u32(data);
  out.close();
  fs::resize_file(p, 44 + static_cast<uintmax_t>(data));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  lx::BASS_Init(1, 44100, 4, nullptr, nullptr);
  lx::BASS_Start();
  const fs::path tmp = fs::temp_directory_path() / ("lexitar-reader-bench-" + std::to_string(::getpid()));
  fs::create_directories(tmp);
  std::mt19937 rng(2026);

  // 1. Opening a 1 MB English and a 1 MB Russian text in the window.
  const std::vector<std::string> en = {"the", "clock", "stopped", "and", "everyone", "looked", "up", "at",
                                       "tower", "old", "woman", "boy", "wheel", "was", "very", "quiet"};
  const std::vector<std::string> ru = {"\xf7\xe0\xf1\xfb", "\xee\xf1\xf2\xe0\xed\xee\xe2\xe8\xeb\xe8\xf1\xfc",
                                       "\xe8", "\xe2\xf1\xe5", "\xef\xee\xf1\xec\xee\xf2\xf0\xe5\xeb\xe8",
                                       "\xed\xe0", "\xe1\xe0\xf8\xed\xfe", "\xf1\xf2\xe0\xf0\xe0\xff",
                                       "\xea\xee\xeb\xe5\xf1\xee", "\xe1\xfb\xeb\xee", "\xee\xf7\xe5\xed\xfc"};
  // About 9,000 English and 7,000 Russian sentences: the alignment walks its whole path.
  WriteFile(tmp / "en.txt", Prose(1 << 20, en, rng, 13));
  WriteFile(tmp / "ru.txt", Prose(1 << 20, ru, rng, 8));
  {
    lx::ReaderContext context;
    lx::TForm2 w(context);
    const auto t0 = Clock::now();
    w.LoadEnglishText((tmp / "en.txt").string());
    const auto t1 = Clock::now();
    w.LoadRussianText((tmp / "ru.txt").string());
    const auto t2 = Clock::now();
    std::printf("open 1 MB English text: %.0f ms; 1 MB Russian text with the alignment: %.0f ms; "
                "in all %.0f ms (goal < 1000); boundaries %d / %d, aligned %s\n",
                Ms(t0, t1), Ms(t1, t2), Ms(t0, t2), w.alignment().english().count(),
                w.alignment().russian().count(), w.alignment().valid() ? "yes" : "no");
  }

  // 2. Splitting per byte at growing sizes (linear: the figure stays flat). Sentences
  // of 150 words or more keep every size under the table's 10,000 boundaries.
  for (size_t mb : {1, 2, 4, 8}) {
    const std::string text = Prose(mb << 20, en, rng, 150);
    const auto t0 = Clock::now();
    const lx::SentenceTable t = lx::SplitSentences(text);
    const auto t1 = Clock::now();
    std::printf("split %zu MB: %.1f ms, %.2f ns per byte (%d boundaries)\n", mb, Ms(t0, t1),
                Ms(t0, t1) * 1e6 / static_cast<double>(text.size()), t.count());
  }

  // 3. The split fuzz target's parts on a dense 64 KB input ("ab." runs and noise).
  {
    std::string input;
    while (input.size() < 65536) input += rng() % 3 ? "ab." : "x";
    const std::string_view english(input.data(), input.size() / 2), russian(input.data() + input.size() / 2,
                                                                            input.size() / 2);
    const auto t0 = Clock::now();
    lx::SplitSentences(input);
    const auto t1 = Clock::now();
    lx::SentenceAlignment a;
    a.SplitEnglish(english);
    a.SplitRussian(russian);
    const auto t2 = Clock::now();
    size_t found = 0;
    for (int32_t k : {1, a.english().count() / 2, a.english().count()}) {
      const lx::PartnerExcerpt x = lx::PartnerExcerptOf(a.english(), a.russian(), russian, k, -1, 4);
      found += russian.find(x.text) != std::string_view::npos;
    }
    const auto t3 = Clock::now();
    std::printf("fuzz input of 64 KB: split %.2f ms; split both halves and align %d/%d boundaries %.1f ms; "
                "excerpt checks %.2f ms (%zu found)\n",
                Ms(t0, t1), a.english().count(), a.russian().count(), Ms(t1, t2), Ms(t2, t3), found);
  }

  // 4. A click in the sample book to the first sample of its stretch.
  const fs::path acp = fs::path(lx::DataDir::OfExecutable().root()) / ".." / "data" / "book" / "clock-shop.acp";
  if (fs::exists(acp)) {
    lx::ReaderContext context;
    lx::TForm2 w(context);
    w.LoadProjectFile(fs::canonical(acp).string());
    const auto& points = w.project().entries.at(0).points;
    std::vector<double> delays;
    for (size_t i = 0; i + 1 < points.size(); i += points.size() / 25) {
      w.RichEdit1->SetCaretOffset(points[i].textPosition);
      const auto t0 = Clock::now();
      w.RichEdit1MouseDown();
      std::optional<Clock::time_point> first;
      while (!(first = lx::FirstMixedAt(w.stream().handle())) && Clock::now() - t0 < std::chrono::seconds(1))
        QThread::usleep(200);
      if (first) delays.push_back(Ms(t0, *first));
      w.Timer3Timer();
    }
    std::sort(delays.begin(), delays.end());
    if (!delays.empty())
      std::printf("click to the first sample of its stretch: median %.1f ms, worst %.1f ms over %zu clicks "
                  "(goal < 50)\n",
                  delays[delays.size() / 2], delays.back(), delays.size());
  } else {
    std::printf("click to sound: data/book/clock-shop.acp is not built\n");
  }

  // 5. A 10-hour recording: open, seek near its end, play a moment.
  {
    const fs::path wav = tmp / "ten-hours.wav";
    SparseWav(wav, 10 * 3600);
    const long before = RssMb();
    lx::AudioReaderStream stream;
    const auto t0 = Clock::now();
    const bool opened = stream.Open(wav.string());
    const auto t1 = Clock::now();
    stream.SetPositionMs(9 * 3600 * 1000 + 123456);
    stream.Play();
    QThread::msleep(300);
    const int32_t at = stream.PositionMs();
    stream.Stop();
    const auto t2 = Clock::now();
    std::printf("10-hour WAV (%.2f GB): opened %s in %.1f ms, length %d s, sought and played to %d ms in "
                "%.0f ms; resident memory %ld MB (before %ld MB; goal < 250)\n",
                static_cast<double>(fs::file_size(wav)) / (1 << 30), opened ? "yes" : "NO", Ms(t0, t1),
                stream.LengthSeconds(), at, Ms(t1, t2), RssMb(), before);
  }
  fs::remove_all(tmp);
  return 0;
}
