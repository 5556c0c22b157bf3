// Speech synthesis for the sound index, through the espeak-ng library (one process
// speaks thousands of words without a start-up per word).
//
//   lexitar-soundsynth speak LIST OUT.wav TIMES
//     LIST: one item per line, "voice TAB text [TAB volume]" (UTF-8; text may be espeak
//     phonemes in [[ ]]; volume 0-200, espeak's default 100). Each item is spoken alone, trimmed at -60 dB and joined into one mono
//     16-bit WAV with silence between items. TIMES gets one line per item:
//     "start TAB end" in milliseconds, or "-" when the item gave no sound.
//   lexitar-soundsynth ipa VOICE LIST OUT
//     LIST: one word a line; OUT: its IPA (stress marks as espeak writes them), or an
//     empty line when espeak gives none.
#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kLeadMs = 300;   // silence before the first item
constexpr int kGapMs = 300;    // silence after every item
constexpr int kRate = 160;     // words per minute: a little slower than espeak's default
// -60 dBFS of a 16-bit sample.
const int kThreshold = static_cast<int>(std::lround(32767.0 * std::pow(10.0, -60.0 / 20.0)));

std::vector<int16_t>* g_out = nullptr;

int Collect(short* wav, int count, espeak_EVENT*) {
  if (wav && count > 0 && g_out) g_out->insert(g_out->end(), wav, wav + count);
  return 0;
}

std::vector<std::string> ReadLines(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << path << "\n";
    std::exit(1);
  }
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

int Init() {
  const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 500, nullptr, 0);
  if (rate <= 0) {
    std::cerr << "espeak-ng cannot start\n";
    std::exit(1);
  }
  espeak_SetSynthCallback(Collect);
  espeak_SetParameter(espeakRATE, kRate, 0);
  return rate;
}

bool SetVoice(const std::string& voice, std::string& current) {
  if (voice == current) return true;
  if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) {
    std::cerr << "espeak-ng has no voice " << voice << "\n";
    return false;
  }
  espeak_SetParameter(espeakRATE, kRate, 0);
  current = voice;
  return true;
}

void PutLe(std::ofstream& f, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) f.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

bool WriteWav(const char* path, const std::vector<int16_t>& s, int rate) {
  std::ofstream f(path, std::ios::binary);
  const uint32_t data = static_cast<uint32_t>(s.size() * 2);
  f.write("RIFF", 4);
  PutLe(f, 36 + data, 4);
  f.write("WAVEfmt ", 8);
  PutLe(f, 16, 4);
  PutLe(f, 1, 2);
  PutLe(f, 1, 2);
  PutLe(f, static_cast<uint32_t>(rate), 4);
  PutLe(f, static_cast<uint32_t>(rate * 2), 4);
  PutLe(f, 2, 2);
  PutLe(f, 16, 2);
  f.write("data", 4);
  PutLe(f, data, 4);
  for (int16_t v : s) PutLe(f, static_cast<uint16_t>(v), 2);
  return static_cast<bool>(f);
}

int Speak(const char* list, const char* wavPath, const char* timesPath) {
  const int rate = Init();
  const auto items = ReadLines(list);
  std::vector<int16_t> file(static_cast<size_t>(rate) * kLeadMs / 1000, 0);
  const size_t gap = static_cast<size_t>(rate) * kGapMs / 1000;
  std::ofstream times(timesPath, std::ios::binary);
  std::string voice;
  std::vector<int16_t> one;
  for (const auto& item : items) {
    const auto tab = item.find('\t');
    std::string text = tab == std::string::npos ? item : item.substr(tab + 1);
    const auto tab2 = text.find('\t');
    const int volume = tab2 == std::string::npos ? 100 : std::atoi(text.c_str() + tab2 + 1);
    if (tab2 != std::string::npos) text.resize(tab2);
    one.clear();
    if (tab != std::string::npos && !SetVoice(item.substr(0, tab), voice)) return 1;
    espeak_SetParameter(espeakVOLUME, volume, 0);
    g_out = &one;
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                 espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
    espeak_Synchronize();
    g_out = nullptr;
    size_t first = 0, last = one.size();
    while (first < one.size() && std::abs(one[first]) <= kThreshold) ++first;
    while (last > first && std::abs(one[last - 1]) <= kThreshold) --last;
    if (last - first < static_cast<size_t>(rate) / 50) {  // under 20 ms: no word
      times << "-\n";
      continue;
    }
    const size_t at = file.size();
    file.insert(file.end(), one.begin() + static_cast<long>(first), one.begin() + static_cast<long>(last));
    file.insert(file.end(), gap, 0);
    // Start rounded down and end rounded up, so the stretch holds the whole word.
    const long long startMs = static_cast<long long>(at) * 1000 / rate;
    const long long endMs = (static_cast<long long>(at + last - first) * 1000 + rate - 1) / rate;
    times << startMs << '\t' << endMs << '\n';
  }
  if (!WriteWav(wavPath, file, rate) || !times) {
    std::cerr << "cannot write " << wavPath << " or " << timesPath << "\n";
    return 1;
  }
  return 0;
}

int Ipa(const char* voiceName, const char* list, const char* outPath) {
  Init();
  std::string voice;
  if (!SetVoice(voiceName, voice)) return 1;
  std::ofstream out(outPath, std::ios::binary);
  for (const auto& word : ReadLines(list)) {
    std::string ipa;
    const void* p = word.c_str();
    while (p) {
      const char* part = espeak_TextToPhonemes(&p, espeakCHARS_UTF8, espeakPHONEMES_IPA);
      if (!part) break;
      if (!ipa.empty() && *part) ipa += ' ';
      ipa += part;
    }
    out << ipa << '\n';
  }
  return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "speak" && argc == 5) return Speak(argv[2], argv[3], argv[4]);
  if (mode == "ipa" && argc == 5) return Ipa(argv[2], argv[3], argv[4]);
  std::cerr << "usage: lexitar-soundsynth speak LIST OUT.wav TIMES\n"
               "       lexitar-soundsynth ipa VOICE LIST OUT\n";
  return 2;
}
