#pragma once
// Automatic control points: the English text is spoken by the synthesiser, both the
// synthetic and the real recording become spectral feature sequences (MFCC, 25 ms
// windows every 10 ms), a monotonic warping path between them is found by dynamic
// time warping in a band around a coarser path, and every synthetic sentence start
// is carried along the path into the real recording.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lx {

// One sentence to speak: the caret offset before its first character and its words
// (Windows-1251, line breaks as blanks; a title before a blank line gets a full stop).
struct SpokenSentence {
  int32_t textPosition = 0;
  std::string words;
};

// The sentences of an English text cut by the reader's sentence rule, and the offset
// just after the book's last sentence end (0 when there is no sentence).
struct SpeechPlan {
  std::vector<SpokenSentence> sentences;
  int32_t endPosition = 0;
};
SpeechPlan PlanSpeech(std::string_view text);

// Feature frames of one recording: kDims values per frame, one frame every 10 ms.
class FeatureExtractor {
 public:
  static constexpr int kDims = 13;
  explicit FeatureExtractor(int rate);
  ~FeatureExtractor();
  FeatureExtractor(const FeatureExtractor&) = delete;
  FeatureExtractor& operator=(const FeatureExtractor&) = delete;

  // Mono samples scaled to [-1, 1].
  void Push(const float* samples, size_t count);
  void PushPcm(const int16_t* samples, size_t count);
  size_t frameCount() const { return values_.size() / kDims; }
  int rate() const { return rate_; }
  int hop() const { return hop_; }
  // Samples pushed so far.
  uint64_t sampleCount() const { return pushed_; }
  // Largest absolute sample seen, scaled to [-1, 1].
  float peak() const { return peak_; }
  // Frames whose energy stands above the recording's silence floor.
  size_t voicedFrames() const;
  // The frames with each dimension normalised to zero mean and unit variance.
  std::vector<float> Normalised() const;

 private:
  void Frame(const float* window);
  int rate_, win_, hop_, nfft_;
  std::vector<float> pending_, window_, filters_, energies_;
  std::vector<int> filterLo_, filterHi_;
  std::vector<float> values_;
  double* in_ = nullptr;
  void* out_ = nullptr;  // fftw_complex*
  void* plan_ = nullptr;
  uint64_t pushed_ = 0;
  float peak_ = 0;
};

// A warping path: pairs (frame of A, frame of B), both nondecreasing, from (0, 0)
// to (na - 1, nb - 1). Empty when cancelled.
using WarpPath = std::vector<std::pair<int32_t, int32_t>>;
struct WarpResult {
  WarpPath path;
  double meanCost = 0;  // mean frame distance along the path
};
// `a` and `b` hold kDims values per frame. The search is exact below about four
// million cells; above, each level searches a band of `radius` frames around the
// path of the level with half the frames.
WarpResult WarpFrames(const std::vector<float>& a, const std::vector<float>& b,
                      const std::atomic<bool>* cancel = nullptr, int radius = 12);

// The frames in reverse order: speech with the same voice, noise and pauses that says
// nothing of the original, the baseline against which a path's cost tells matching
// from unrelated speech.
std::vector<float> ReversedFrames(const std::vector<float>& frames);

// The frame of B that the path pairs with frame `frameA` of A: the first one.
int32_t MapFrame(const WarpPath& path, int32_t frameA);

}  // namespace lx
