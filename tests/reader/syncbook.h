#pragma once
// Test audiobooks with known sentence times: a text spoken by another espeak-ng voice
// than the aligner's, with random pauses between sentences and added noise.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/core/cp1251.h"
#include "reader/audiosync.h"
#include "reader/autosync.h"

namespace lx::test {

struct SyncBook {
  std::vector<int32_t> startsMs;  // true start of every sentence
  int32_t endMs = 0;              // true end of the last sentence
  double seconds = 0;
};

struct SyncBookVoice {
  SynthVoice voice{"en-us", 190, 70};
  int minPauseMs = 150, maxPauseMs = 900;
  double noise = 0.003;  // amplitude of the added white noise, full scale 1
  unsigned seed = 7;
};

inline void WriteMonoWav(const std::string& path, const std::vector<int16_t>& s, int rate) {
  std::ofstream f(path, std::ios::binary);
  const auto put = [&f](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.put(static_cast<char>((v >> (8 * i)) & 0xff));
  };
  const uint32_t data = static_cast<uint32_t>(s.size() * 2);
  f.write("RIFF", 4);
  put(36 + data, 4);
  f.write("WAVEfmt ", 8);
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(static_cast<uint32_t>(rate), 4);
  put(static_cast<uint32_t>(rate * 2), 4);
  put(2, 2);
  put(16, 2);
  f.write("data", 4);
  put(data, 4);
  f.write(reinterpret_cast<const char*>(s.data()), static_cast<std::streamsize>(data));
}

// Speaks every sentence of `text` (Windows-1251) into `wavPath`, `repeat` times over.
inline SyncBook MakeSyncBook(const std::string& text, const std::string& wavPath, const SyncBookVoice& how = {},
                             int repeat = 1) {
  const int rate = SynthRate();
  std::mt19937 random(how.seed);
  std::uniform_int_distribution<int> pause(how.minPauseMs, how.maxPauseMs);
  std::normal_distribution<double> noise(0.0, how.noise * 32767.0);
  SyncBook book;
  std::vector<int16_t> pcm(static_cast<size_t>(rate) / 2, 0);
  const SpeechPlan plan = PlanSpeech(text);
  for (int r = 0; r < repeat; ++r) {
    for (const SpokenSentence& s : plan.sentences) {
      book.startsMs.push_back(static_cast<int32_t>(std::llround(pcm.size() * 1000.0 / rate)));
      SpeakTrimmed(how.voice, Cp1251ToUtf8(s.words), pcm);
      book.endMs = static_cast<int32_t>(std::llround(pcm.size() * 1000.0 / rate));
      pcm.resize(pcm.size() + static_cast<size_t>(rate) * static_cast<size_t>(pause(random)) / 1000, 0);
    }
  }
  for (int16_t& v : pcm) v = static_cast<int16_t>(std::clamp(std::lround(v + noise(random)), -32768L, 32767L));
  WriteMonoWav(wavPath, pcm, rate);
  book.seconds = static_cast<double>(pcm.size()) / rate;
  return book;
}

}  // namespace lx::test
