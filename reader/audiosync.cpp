#include "reader/audiosync.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "reader/alignment.h"

namespace lx {

namespace {

constexpr int kFilters = 26;
constexpr double kLowHz = 80.0;
constexpr double kHighHz = 7600.0;
constexpr float kEnergyFloor = 1e-7f;  // about -70 dB: silence of any kind looks alike
constexpr double kPi = 3.14159265358979323846;

// FFTW's planner is not thread-safe; plans are made and freed under this lock.
std::mutex& PlannerLock() {
  static std::mutex lock;
  return lock;
}

double Mel(double hz) { return 2595.0 * std::log10(1.0 + hz / 700.0); }
double Hz(double mel) { return 700.0 * (std::pow(10.0, mel / 2595.0) - 1.0); }

bool IsBlank(char ch) { return ch == ' ' || ch == '\r' || ch == '\n' || ch == '\t'; }

}  // namespace

SpeechPlan PlanSpeech(std::string_view text) {
  SpeechPlan plan;
  const SentenceTable table = SplitSentences(text);
  for (int32_t k = 2; k <= table.count(); ++k) {
    size_t start = static_cast<size_t>(table.at(k - 1).endOffset);
    const size_t end = static_cast<size_t>(table.at(k).endOffset);
    if (k > 2 && start < text.size() && text[start] == '"') ++start;  // the quote closing the sentence before
    while (start < end && IsBlank(text[start])) ++start;
    std::string_view part = text.substr(start, end - start);
    std::string words;
    const size_t blankLine = part.find("\r\n\r\n");
    if (blankLine != std::string_view::npos && blankLine > 0 && std::string_view(".?!").find(part[blankLine - 1]) == std::string_view::npos) {
      words.append(part.substr(0, blankLine)).append(". ");
      part.remove_prefix(blankLine);
    }
    for (char ch : part) {
      if (IsBlank(ch)) {
        if (!words.empty() && words.back() != ' ') words += ' ';
      } else {
        words += ch;
      }
    }
    plan.sentences.push_back({static_cast<int32_t>(start), std::move(words)});
    plan.endPosition = static_cast<int32_t>(end);
  }
  return plan;
}

FeatureExtractor::FeatureExtractor(int rate)
    : rate_(rate),
      win_(static_cast<int>(std::lround(rate * 0.025))),
      hop_(static_cast<int>(std::lround(rate * 0.010))),
      nfft_(1) {
  while (nfft_ < win_) nfft_ *= 2;
  window_.resize(static_cast<size_t>(win_));
  for (int i = 0; i < win_; ++i) window_[static_cast<size_t>(i)] = static_cast<float>(0.54 - 0.46 * std::cos(2 * kPi * i / (win_ - 1)));
  // Triangular filters evenly spaced on the mel scale.
  const int bins = nfft_ / 2 + 1;
  const double high = std::min(kHighHz, rate / 2.0);
  std::vector<double> edges(kFilters + 2);
  for (int m = 0; m < kFilters + 2; ++m) edges[static_cast<size_t>(m)] = Hz(Mel(kLowHz) + (Mel(high) - Mel(kLowHz)) * m / (kFilters + 1));
  filters_.assign(static_cast<size_t>(kFilters * bins), 0.f);
  filterLo_.assign(kFilters, bins);
  filterHi_.assign(kFilters, 0);
  for (int m = 0; m < kFilters; ++m) {
    const double lo = edges[static_cast<size_t>(m)], mid = edges[static_cast<size_t>(m + 1)], hi = edges[static_cast<size_t>(m + 2)];
    for (int b = 0; b < bins; ++b) {
      const double f = static_cast<double>(b) * rate / nfft_;
      double w = 0;
      if (f > lo && f <= mid) w = (f - lo) / (mid - lo);
      else if (f > mid && f < hi) w = (hi - f) / (hi - mid);
      if (w <= 0) continue;
      filters_[static_cast<size_t>(m * bins + b)] = static_cast<float>(w);
      filterLo_[static_cast<size_t>(m)] = std::min(filterLo_[static_cast<size_t>(m)], b);
      filterHi_[static_cast<size_t>(m)] = std::max(filterHi_[static_cast<size_t>(m)], b + 1);
    }
  }
  std::lock_guard<std::mutex> lock(PlannerLock());
  in_ = fftw_alloc_real(static_cast<size_t>(nfft_));
  out_ = fftw_alloc_complex(static_cast<size_t>(bins));
  plan_ = fftw_plan_dft_r2c_1d(nfft_, in_, static_cast<fftw_complex*>(out_), FFTW_ESTIMATE);
}

FeatureExtractor::~FeatureExtractor() {
  std::lock_guard<std::mutex> lock(PlannerLock());
  fftw_destroy_plan(static_cast<fftw_plan>(plan_));
  fftw_free(in_);
  fftw_free(out_);
}

void FeatureExtractor::PushPcm(const int16_t* samples, size_t count) {
  float scaled[1024];
  while (count > 0) {
    const size_t n = std::min<size_t>(count, 1024);
    for (size_t i = 0; i < n; ++i) scaled[i] = samples[i] / 32768.f;
    Push(scaled, n);
    samples += n;
    count -= n;
  }
}

void FeatureExtractor::Push(const float* samples, size_t count) {
  for (size_t i = 0; i < count; ++i) peak_ = std::max(peak_, std::fabs(samples[i]));
  pushed_ += count;
  pending_.insert(pending_.end(), samples, samples + count);
  size_t used = 0;
  while (pending_.size() - used >= static_cast<size_t>(win_)) {
    Frame(pending_.data() + used);
    used += static_cast<size_t>(hop_);
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(used));
}

void FeatureExtractor::Frame(const float* samples) {
  for (int i = 0; i < nfft_; ++i) in_[i] = i < win_ ? samples[i] * window_[static_cast<size_t>(i)] : 0.0;
  fftw_execute(static_cast<fftw_plan>(plan_));
  const auto* spectrum = static_cast<const fftw_complex*>(out_);
  const int bins = nfft_ / 2 + 1;
  float logMel[kFilters];
  for (int m = 0; m < kFilters; ++m) {
    double e = 0;
    for (int b = filterLo_[static_cast<size_t>(m)]; b < filterHi_[static_cast<size_t>(m)]; ++b) {
      const double power = spectrum[b][0] * spectrum[b][0] + spectrum[b][1] * spectrum[b][1];
      e += power * filters_[static_cast<size_t>(m * bins + b)];
    }
    logMel[m] = std::log(std::max(static_cast<float>(e / nfft_), kEnergyFloor));
  }
  for (int k = 0; k < kDims; ++k) {
    double c = 0;
    for (int m = 0; m < kFilters; ++m) c += logMel[m] * std::cos(kPi * k * (m + 0.5) / kFilters);
    values_.push_back(static_cast<float>(c));
  }
  energies_.push_back(values_[values_.size() - kDims]);
}

size_t FeatureExtractor::voicedFrames() const {
  if (energies_.empty()) return 0;
  // c0 of a silent frame sits at the floor; speech stands well above it.
  const float silent = kFilters * std::log(kEnergyFloor);
  float loud = silent;
  for (float e : energies_) loud = std::max(loud, e);
  const float cut = silent + (loud - silent) * 0.35f;
  return static_cast<size_t>(std::count_if(energies_.begin(), energies_.end(), [cut](float e) { return e > cut; }));
}

std::vector<float> FeatureExtractor::Normalised() const {
  std::vector<float> out = values_;
  const size_t n = frameCount();
  if (n == 0) return out;
  for (int d = 0; d < kDims; ++d) {
    double sum = 0, squares = 0;
    for (size_t f = 0; f < n; ++f) sum += out[f * kDims + static_cast<size_t>(d)];
    const double mean = sum / static_cast<double>(n);
    for (size_t f = 0; f < n; ++f) {
      const double v = out[f * kDims + static_cast<size_t>(d)] - mean;
      squares += v * v;
    }
    const double scale = 1.0 / std::sqrt(std::max(squares / static_cast<double>(n), 1e-9));
    for (size_t f = 0; f < n; ++f) {
      float& v = out[f * kDims + static_cast<size_t>(d)];
      v = static_cast<float>((v - mean) * scale);
    }
  }
  return out;
}

namespace {

constexpr int kDims = FeatureExtractor::kDims;
constexpr double kExactCells = 4e6;

float Distance(const float* x, const float* y) {
  float s = 0;
  for (int d = 0; d < kDims; ++d) {
    const float v = x[d] - y[d];
    s += v * v;
  }
  return std::sqrt(s);
}

std::vector<float> Halve(const std::vector<float>& f) {
  const size_t n = f.size() / kDims, half = (n + 1) / 2;
  std::vector<float> out(half * kDims);
  for (size_t i = 0; i < half; ++i) {
    const size_t a = 2 * i, b = std::min(2 * i + 1, n - 1);
    for (int d = 0; d < kDims; ++d) out[i * kDims + static_cast<size_t>(d)] = 0.5f * (f[a * kDims + static_cast<size_t>(d)] + f[b * kDims + static_cast<size_t>(d)]);
  }
  return out;
}

// Column range [lo, hi) of each row of A that the search may visit.
struct Band {
  std::vector<int32_t> lo, hi;
};

Band FullBand(int32_t na, int32_t nb) {
  return {std::vector<int32_t>(static_cast<size_t>(na), 0), std::vector<int32_t>(static_cast<size_t>(na), nb)};
}

// The cells of the coarse path, doubled and widened by `radius` frames each way.
Band BandAround(const WarpPath& coarse, int32_t na, int32_t nb, int radius) {
  Band band{std::vector<int32_t>(static_cast<size_t>(na), nb), std::vector<int32_t>(static_cast<size_t>(na), 0)};
  for (const auto& [i, j] : coarse) {
    const int32_t lo = std::max(0, 2 * j - radius), hi = std::min(nb, 2 * j + 2 + radius);
    for (int32_t r = std::max(0, 2 * i - radius); r < std::min(na, 2 * i + 2 + radius); ++r) {
      band.lo[static_cast<size_t>(r)] = std::min(band.lo[static_cast<size_t>(r)], lo);
      band.hi[static_cast<size_t>(r)] = std::max(band.hi[static_cast<size_t>(r)], hi);
    }
  }
  band.lo[0] = 0;
  band.hi[static_cast<size_t>(na - 1)] = nb;
  return band;
}

WarpResult WarpInBand(const std::vector<float>& a, const std::vector<float>& b, const Band& band,
                      const std::atomic<bool>* cancel) {
  const int32_t na = static_cast<int32_t>(a.size() / kDims);
  std::vector<size_t> rowStart(static_cast<size_t>(na) + 1, 0);
  for (int32_t i = 0; i < na; ++i) rowStart[static_cast<size_t>(i) + 1] = rowStart[static_cast<size_t>(i)] + static_cast<size_t>(std::max(0, band.hi[static_cast<size_t>(i)] - band.lo[static_cast<size_t>(i)]));
  // Steps: 0 diagonal, 1 from the row above, 2 from the left.
  std::vector<uint8_t> step(rowStart.back());
  std::vector<double> prev, cur;
  constexpr double kInf = std::numeric_limits<double>::infinity();
  int32_t prevLo = 0, prevHi = 0;
  for (int32_t i = 0; i < na; ++i) {
    if (cancel && (i & 255) == 0 && cancel->load()) return {};
    const int32_t lo = band.lo[static_cast<size_t>(i)], hi = band.hi[static_cast<size_t>(i)];
    cur.assign(static_cast<size_t>(std::max(0, hi - lo)), kInf);
    const float* x = a.data() + static_cast<size_t>(i) * kDims;
    for (int32_t j = lo; j < hi; ++j) {
      const double d = Distance(x, b.data() + static_cast<size_t>(j) * kDims);
      double best = kInf;
      uint8_t how = 0;
      if (i == 0 && j == 0) best = 0;
      if (i > 0 && j - 1 >= prevLo && j - 1 < prevHi && prev[static_cast<size_t>(j - 1 - prevLo)] < best) {
        best = prev[static_cast<size_t>(j - 1 - prevLo)];
        how = 0;
      }
      if (i > 0 && j >= prevLo && j < prevHi && prev[static_cast<size_t>(j - prevLo)] < best) {
        best = prev[static_cast<size_t>(j - prevLo)];
        how = 1;
      }
      if (j > lo && cur[static_cast<size_t>(j - 1 - lo)] < best) {
        best = cur[static_cast<size_t>(j - 1 - lo)];
        how = 2;
      }
      cur[static_cast<size_t>(j - lo)] = best + d;
      step[rowStart[static_cast<size_t>(i)] + static_cast<size_t>(j - lo)] = how;
    }
    prev.swap(cur);
    prevLo = lo;
    prevHi = hi;
  }
  const int32_t nb = static_cast<int32_t>(b.size() / kDims);
  WarpResult result;
  if (prevHi != nb || prev.empty() || !std::isfinite(prev.back())) return result;
  const double total = prev.back();
  int32_t i = na - 1, j = nb - 1;
  while (true) {
    result.path.emplace_back(i, j);
    if (i == 0 && j == 0) break;
    const uint8_t how = step[rowStart[static_cast<size_t>(i)] + static_cast<size_t>(j - band.lo[static_cast<size_t>(i)])];
    if (how == 0) {
      --i;
      --j;
    } else if (how == 1) {
      --i;
    } else {
      --j;
    }
  }
  std::reverse(result.path.begin(), result.path.end());
  result.meanCost = total / static_cast<double>(result.path.size());
  return result;
}

}  // namespace

WarpResult WarpFrames(const std::vector<float>& a, const std::vector<float>& b,
                      const std::atomic<bool>* cancel, int radius) {
  const int32_t na = static_cast<int32_t>(a.size() / kDims), nb = static_cast<int32_t>(b.size() / kDims);
  if (na == 0 || nb == 0) return {};
  if (static_cast<double>(na) * nb <= kExactCells || na < 2 * radius || nb < 2 * radius)
    return WarpInBand(a, b, FullBand(na, nb), cancel);
  const WarpResult coarse = WarpFrames(Halve(a), Halve(b), cancel, radius);
  if (coarse.path.empty()) return {};
  return WarpInBand(a, b, BandAround(coarse.path, na, nb, radius), cancel);
}

std::vector<float> ReversedFrames(const std::vector<float>& frames) {
  const size_t n = frames.size() / kDims;
  std::vector<float> out(frames.size());
  for (size_t f = 0; f < n; ++f)
    std::copy_n(frames.begin() + static_cast<long>((n - 1 - f) * kDims), kDims, out.begin() + static_cast<long>(f * kDims));
  return out;
}

int32_t MapFrame(const WarpPath& path, int32_t frameA) {
  const auto it = std::lower_bound(path.begin(), path.end(), frameA,
                                   [](const std::pair<int32_t, int32_t>& p, int32_t f) { return p.first < f; });
  if (it == path.end()) return path.empty() ? 0 : path.back().second;
  return it->second;
}

}  // namespace lx
