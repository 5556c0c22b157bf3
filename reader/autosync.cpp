#include "reader/autosync.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "app/core/cp1251.h"
#include "audio/decoder.h"
#include "reader/audiosync.h"

namespace lx {

namespace {

constexpr int kLeadMs = 300;  // silence before the first sentence
constexpr int kGapMs = 300;   // silence after every sentence
constexpr int kSilentSample = 33;  // -60 dBFS
// Share of the work done when each stage ends (the warp takes the rest).
constexpr int kSpeechPercent = 60;
// A real recording speaks 0.4 to 2.5 times as long as the synthetic one.
constexpr double kShortest = 0.4, kLongest = 2.5;
// Matching speech keeps its path well below the path to the reversed recording.
constexpr double kMatchLimit = 0.93;

std::mutex g_espeakLock;
int g_espeakRate = 0;
std::vector<int16_t>* g_collect = nullptr;

int Collect(short* wav, int count, espeak_EVENT*) {
  if (wav && count > 0 && g_collect) g_collect->insert(g_collect->end(), wav, wav + count);
  return 0;
}

// Under g_espeakLock.
bool StartEspeak() {
  if (g_espeakRate > 0) return true;
  const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 500, nullptr, 0);
  if (rate <= 0) return false;
  espeak_SetSynthCallback(Collect);
  g_espeakRate = rate;
  return true;
}

std::string Minutes(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds / 60.0);
  std::string out = text;
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

AutoSyncResult Failure(std::string message) {
  AutoSyncResult r;
  r.message = std::move(message);
  return r;
}

AutoSyncResult Cancelled() {
  AutoSyncResult r;
  r.cancelled = true;
  return r;
}

// The recording's features, mixed to mono; false when it cannot be read.
struct RealAudio {
  std::unique_ptr<FeatureExtractor> features;
  bool readable = false;
};

void ReadRecording(const std::string& path, AutoSyncControl& control, RealAudio& out) {
  auto decoder = audio::OpenDecoder(path);
  if (!decoder || decoder->rate() <= 0 || decoder->channels() <= 0) return;
  out.readable = true;
  out.features = std::make_unique<FeatureExtractor>(decoder->rate());
  const size_t channels = static_cast<size_t>(decoder->channels());
  constexpr size_t kChunk = 8192;
  std::vector<int16_t> frames(kChunk * channels), mono(kChunk);
  while (!control.cancel.load()) {
    const size_t n = decoder->Read(frames.data(), kChunk);
    if (n == 0) break;
    for (size_t i = 0; i < n; ++i) {
      int sum = 0;
      for (size_t c = 0; c < channels; ++c) sum += frames[i * channels + c];
      mono[i] = static_cast<int16_t>(sum / static_cast<int>(channels));
    }
    out.features->PushPcm(mono.data(), n);
  }
}

}  // namespace

int SynthRate() {
  std::lock_guard<std::mutex> lock(g_espeakLock);
  return StartEspeak() ? g_espeakRate : 0;
}

bool SpeakTrimmed(const SynthVoice& voice, const std::string& utf8, std::vector<int16_t>& out) {
  std::lock_guard<std::mutex> lock(g_espeakLock);
  if (!StartEspeak() || espeak_SetVoiceByName(voice.name.c_str()) != EE_OK) return false;
  espeak_SetParameter(espeakRATE, voice.wordsPerMinute, 0);
  espeak_SetParameter(espeakPITCH, voice.pitch, 0);
  std::vector<int16_t> one;
  g_collect = &one;
  espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
  espeak_Synchronize();
  g_collect = nullptr;
  size_t first = 0, last = one.size();
  while (first < last && std::abs(one[first]) <= kSilentSample) ++first;
  while (last > first && std::abs(one[last - 1]) <= kSilentSample) --last;
  out.insert(out.end(), one.begin() + static_cast<long>(first), one.begin() + static_cast<long>(last));
  return true;
}

AutoSyncResult ComputeControlPoints(std::string_view englishText, const std::string& audioPath,
                                    AutoSyncControl& control, const SynthVoice& voice) {
  const SpeechPlan plan = PlanSpeech(englishText);
  if (plan.sentences.empty()) return Failure("В английском тексте нет ни одного предложения: сначала откройте текст книги.");
  const int synthRate = SynthRate();
  if (synthRate <= 0) return Failure("Не удаётся запустить синтезатор речи espeak-ng.");

  // The recording is read on a second thread while the text is spoken on this one.
  RealAudio real;
  std::thread reader([&] { ReadRecording(audioPath, control, real); });

  FeatureExtractor synthetic(synthRate);
  std::vector<uint64_t> starts;
  uint64_t lastEnd = 0;
  std::vector<int16_t> samples(static_cast<size_t>(synthRate) * kLeadMs / 1000, 0);
  const std::vector<int16_t> gap(static_cast<size_t>(synthRate) * kGapMs / 1000, 0);
  bool spoke = true;
  for (size_t k = 0; k < plan.sentences.size() && !control.cancel.load(); ++k) {
    const uint64_t before = synthetic.sampleCount() + samples.size();
    if (!SpeakTrimmed(voice, Cp1251ToUtf8(plan.sentences[k].words), samples)) {
      spoke = false;
      break;
    }
    starts.push_back(before);
    lastEnd = synthetic.sampleCount() + samples.size();
    samples.insert(samples.end(), gap.begin(), gap.end());
    synthetic.PushPcm(samples.data(), samples.size());
    samples.clear();
    control.percent.store(static_cast<int>(kSpeechPercent * (k + 1) / plan.sentences.size()));
  }
  reader.join();
  if (control.cancel.load()) return Cancelled();
  if (!spoke) return Failure("Синтезатор речи espeak-ng не может говорить голосом " + voice.name + ".");
  const std::string name = std::filesystem::path(audioPath).filename().string();
  if (!real.readable) return Failure("Не удаётся прочитать аудиофайл «" + name + "».");
  const FeatureExtractor& heard = *real.features;
  const size_t heardVoiced = heard.voicedFrames();
  if (heard.peak() < 0.003f || heardVoiced < 100) return Failure("В аудиофайле «" + name + "» не слышно речи.");
  const double heardSeconds = heardVoiced * 0.01, spokenSeconds = synthetic.voicedFrames() * 0.01;
  const double ratio = heardSeconds / std::max(spokenSeconds, 0.01);
  if (ratio < kShortest || ratio > kLongest)
    return Failure("Длина записи не соответствует тексту: речь в аудиофайле «" + name + "» длится " +
                   Minutes(heardSeconds) + " мин, а текст читается примерно за " + Minutes(spokenSeconds) +
                   " мин. Проверьте, что выбраны нужные текст и аудиофайл.");

  const std::vector<float> a = synthetic.Normalised(), b = heard.Normalised();
  const WarpResult warp = WarpFrames(a, b, &control.cancel);
  if (control.cancel.load()) return Cancelled();
  if (warp.path.empty()) return Failure("Не удалось сопоставить запись с текстом.");
  AutoSyncResult result;
  control.percent.store(kSpeechPercent + (100 - kSpeechPercent) * 2 / 3);
  const WarpResult unrelated = WarpFrames(a, ReversedFrames(b), &control.cancel);
  if (control.cancel.load()) return Cancelled();
  result.matchRatio = warp.meanCost / std::max(unrelated.meanCost, 1e-9);
  if (result.matchRatio > kMatchLimit) {
    AutoSyncResult mismatch = Failure("Запись в аудиофайле «" + name +
                                      "» не совпадает с английским текстом: проверьте, что выбраны нужные текст и аудиофайл.");
    mismatch.matchRatio = result.matchRatio;
    return mismatch;
  }

  const auto toMs = [&](uint64_t syntheticSample) {
    const int32_t frame = MapFrame(warp.path, static_cast<int32_t>(syntheticSample / static_cast<uint64_t>(synthetic.hop())));
    return static_cast<int32_t>(std::llround(static_cast<double>(frame) * heard.hop() * 1000.0 / heard.rate()));
  };
  for (size_t k = 0; k < starts.size(); ++k) result.points.push_back({plan.sentences[k].textPosition, toMs(starts[k])});
  result.points.push_back({plan.endPosition, toMs(lastEnd)});
  result.ok = true;
  control.percent.store(100);
  return result;
}

}  // namespace lx
