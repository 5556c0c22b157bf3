// Delay from playsounds to the first frame of the requested stretch reaching the
// mixer, for the last word of a built recording (MP3 and WAV), with the data of the
// build folder (the parent of bench/). The first play of an MP3 that was not scanned
// yet scans it; the program scans its recordings in the background after start-up,
// so the figures that count are those after that scan.
#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/core/soundindex.h"
#include "app/core/textfile.h"
#include "app/sound/soundservice.h"
#include "audio/audio.h"

namespace {

// The last word of the first recording whose name ends with `extension`, other than `skip`.
int LastEntryIn(const lx::SoundIndex& index, const std::string& extension, const std::string& skip = "") {
  int last = 0;
  for (int n = 1; n <= index.count(); ++n) {
    const std::string& f = index.entry(n).file;
    if (f.size() <= extension.size() || f.compare(f.size() - extension.size(), extension.size(), extension) != 0)
      continue;
    if (f == skip) continue;
    if (last != 0 && f != index.entry(last).file) continue;
    if (last == 0 || index.entry(n).start > index.entry(last).start) last = n;
  }
  return last;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const lx::DataDir dataDir(lx::DataDir::OfExecutable().root() + "../");
  std::string bytes;
  if (!lx::ReadFileBytes(dataDir.Path("data\\words.txt"), bytes)) {
    std::fprintf(stderr, "no data/words.txt: build the course data first\n");
    return 1;
  }
  lx::SoundIndex index;
  index.Load(bytes);
  lx::BASS_Init(1, 44100, 4, nullptr, nullptr);
  lx::BASS_Start();
  lx::SoundService sound(index, dataDir);
  // Milliseconds from a play of entry n to its first frame in the mixer.
  auto delayOf = [&](int n) -> double {
    const auto t0 = std::chrono::steady_clock::now();
    sound.playnums(n);
    std::optional<std::chrono::steady_clock::time_point> first;
    while (!(first = lx::FirstMixedAt(sound.AudioChannel())) &&
           std::chrono::steady_clock::now() - t0 < std::chrono::seconds(1))
      QThread::usleep(200);
    return first ? std::chrono::duration<double, std::milli>(*first - t0).count() : -1;
  };
  const int cold = LastEntryIn(index, ".mp3");
  if (cold != 0)
    std::printf("first play of an MP3 not scanned yet (%s): %.1f ms\n", index.entry(cold).file.c_str(), delayOf(cold));

  const auto t0 = std::chrono::steady_clock::now();
  sound.PrepareRecordings();
  while (lx::PreparingRecordings()) QThread::usleep(1000);
  std::printf("background scan of the recordings: %.0f ms\n",
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());

  const std::string skip = cold ? index.entry(cold).file : "";
  for (const char* extension : {".mp3", ".wav"}) {
    const int n = LastEntryIn(index, extension, skip);
    if (n == 0) continue;
    std::vector<double> delays;
    for (int round = 0; round < 20; ++round)
      if (const double d = delayOf(n); d >= 0) delays.push_back(d);
    if (delays.empty()) continue;
    const double firstPlay = delays.front();
    std::sort(delays.begin(), delays.end());
    std::printf("%s entry %d (%s at %d ms): play-to-mixer median %.1f ms, worst %.1f ms over %zu plays;"
                " first play %.1f ms\n",
                extension, n, index.entry(n).file.c_str(), index.entry(n).start, delays[delays.size() / 2],
                delays.back(), delays.size(), firstPlay);
  }
  return 0;
}
