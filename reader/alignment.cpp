#include "reader/alignment.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace lx {

namespace {

// A window of sentences that does not fit in both texts costs at least this much.
constexpr int64_t kInvalid = 10000000;
constexpr int32_t kMaxHalfWidth = 200;
constexpr int32_t kOffsetReach = 100;

int32_t RoundHalfEven(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

struct Deviation {
  int32_t delta;
  int32_t run;
};

// Window costs from prefix sums along each diagonal (fixed offset o between the
// Russian and the English index), shared by the calls for consecutive boundaries:
// cost(o, c) = S_o(k + c) - S_o(k - c - 1), each in constant time.
class StepSearch {
 public:
  StepSearch(const std::vector<int32_t>& le, const std::vector<int32_t>& lr)
      : le_(le), lr_(lr), ne_(static_cast<int32_t>(le.size())), nr_(static_cast<int32_t>(lr.size())) {
    diagonals_.resize(static_cast<size_t>(std::max(0, ne_ + nr_ - 1)));
    rows_.resize(2 * kOffsetReach + 1);
  }

  int32_t Find(int32_t k, int32_t e) {
    Evict(k);
    const int32_t n = std::max(0, std::min(kMaxHalfWidth, ne_ - k));
    const int32_t centre = e - k + 1;
    const int32_t first = centre - kOffsetReach, last = centre + kOffsetReach;
    // Every offset with a window inside both texts (the narrowest, c = 0, is the
    // loosest test) gets its sums ready before the search reads them.
    const int32_t oLo = std::max(first, 1 - k), oHi = std::min(last, nr_ - k);
    const bool inside = k >= 1 && k <= ne_;
    if (inside)
      for (int32_t o = oLo; o <= oHi; ++o) rows_[static_cast<size_t>(o - first)] = Prepare(o, k, n);
    int32_t best = centre;
    int32_t r = RoundHalfEven(n / 4.0);
    for (int32_t c = n; c >= 0; --c) {
      // Offsets whose window of half-width c lies inside both texts.
      const int32_t validLo = 1 - (k - c), validHi = nr_ - (k + c);
      if (inside && k - c >= 1) {
        const int32_t to = k + c, before = k - c - 1;
        auto cost = [&](int32_t o) {
          const Row& row = rows_[static_cast<size_t>(o - first)];
          return row.sums[to - row.base] - row.sums[before - row.base];
        };
        const int64_t cur = best >= validLo && best <= validHi ? cost(best) : kInvalid;
        const int32_t lo = std::max({best - r, first, validLo});
        const int32_t hi = std::min({best + r, last, validHi});
        // The scan keeps the first offset whose cost is below every earlier one, that
        // is the first offset of the window's least cost when that is below `cur`.
        // The least cost is found with four independent minimums, then its first offset.
        int64_t m[4] = {kInvalid, kInvalid, kInvalid, kInvalid};
        int32_t o = lo;
        for (; o + 3 <= hi; o += 4)
          for (int32_t j = 0; j < 4; ++j) m[j] = std::min(m[j], cost(o + j));
        for (; o <= hi; ++o) m[0] = std::min(m[0], cost(o));
        const int64_t least = std::min({m[0], m[1], m[2], m[3]});
        if (least < cur && least < kInvalid)
          for (o = lo; o <= hi; ++o)
            if (cost(o) == least) {
              best = o;
              break;
            }
      }
      r = RoundHalfEven(c / 4.0);
    }
    return k + best;
  }

 private:
  struct Diagonal {
    int32_t base = 0;  // sums[i - base] = S(i); S(base) = 0
    int32_t lastUse = 0;
    std::vector<int64_t> sums;
  };

  // Prefix sums of one diagonal in reach of boundary k: sums[i - base] = S(i).
  struct Row {
    const int64_t* sums = nullptr;
    int32_t base = 0;
  };

  // Extends diagonal o to cover every window of half-width up to n around k.
  Row Prepare(int32_t o, int32_t k, int32_t n) {
    Diagonal& d = diagonals_[static_cast<size_t>(o + ne_ - 1)];
    const int32_t low = std::max({1, 1 - o, k - n}) - 1, high = std::min({ne_, nr_ - o, k + n});
    if (d.sums.empty() || low < d.base) Start(d, o, k);
    d.lastUse = k;
    while (d.base + static_cast<int32_t>(d.sums.size()) - 1 < high) {
      const int32_t i = d.base + static_cast<int32_t>(d.sums.size());
      d.sums.push_back(d.sums.back() + std::abs(int64_t{le_[static_cast<size_t>(i - 1)]} -
                                                lr_[static_cast<size_t>(i + o - 1)]));
    }
    return {d.sums.data(), d.base};
  }

  void Start(Diagonal& d, int32_t o, int32_t k) {
    d.base = std::max({1, 1 - o, k - kMaxHalfWidth}) - 1;
    d.sums.assign(1, 0);
    live_.push_back(o);
  }

  // Diagonals the path has left behind are freed now and then.
  void Evict(int32_t k) {
    if (++calls_ % 256 != 0) return;
    std::vector<int32_t> kept;
    for (int32_t o : live_) {
      Diagonal& d = diagonals_[static_cast<size_t>(o + ne_ - 1)];
      if (d.sums.empty()) continue;
      if (d.lastUse < k - 4 * kMaxHalfWidth) {
        std::vector<int64_t>().swap(d.sums);
      } else {
        kept.push_back(o);
      }
    }
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    live_.swap(kept);
  }

  const std::vector<int32_t>& le_;
  const std::vector<int32_t>& lr_;
  int32_t ne_, nr_;
  std::vector<Diagonal> diagonals_;
  std::vector<Row> rows_;  // offsets first..last of the current search
  std::vector<int32_t> live_;
  uint32_t calls_ = 0;
};

std::vector<int32_t> Lengths(const SentenceTable& t) {
  std::vector<int32_t> out;
  out.reserve(t.boundaries.size());
  for (const SentenceBoundary& b : t.boundaries) out.push_back(b.length);
  return out;
}

void CancelZigzags(std::vector<Deviation>& devs) {
  const size_t count = devs.size();
  for (int32_t limit = 1; limit <= 5; ++limit) {
    for (size_t s = 0; s < count; ++s) {
      if (devs[s].delta == 0) continue;
      int32_t sum = devs[s].delta, span = 0;
      size_t t = s;
      while (span <= limit && sum != 0 && t + 1 < count) {
        ++t;
        sum += devs[t].delta;
        span += devs[t].run;
      }
      if (t > s && sum == 0 && span <= limit)
        for (size_t j = s; j <= t; ++j) devs[j].delta = 0;
    }
  }
  // Cancelled deviations hand their run to the next one.
  std::vector<Deviation> kept;
  for (size_t i = 0; i < count; ++i) {
    if (devs[i].delta == 0) {
      if (i + 1 < count) devs[i + 1].run += devs[i].run;
      continue;
    }
    kept.push_back(devs[i]);
  }
  devs.swap(kept);
}

}  // namespace

SentenceTable SplitSentences(std::string_view text) {
  SentenceTable t;
  t.boundaries.push_back({0, 0, 0});
  int32_t c = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if ((ch == '.' || ch == '?' || ch == '!') && c > 1) {
      if (t.boundaries.size() >= SentenceTable::kMaxBoundaries) break;
      t.boundaries.push_back({static_cast<int32_t>(i + 1), c, 0});
      c = 0;
    } else {
      ++c;
    }
  }
  return t;
}

bool AlignmentPossible(int32_t ne, int32_t nr) {
  if (ne <= 10 || nr <= 10) return false;
  const double ratio = static_cast<double>(ne) / nr;
  return ratio >= 0.7 && ratio <= 1.3;
}

int32_t FindAlignmentStep(const std::vector<int32_t>& le, const std::vector<int32_t>& lr, int32_t k,
                          int32_t e) {
  return StepSearch(le, lr).Find(k, e);
}

void AlignTexts(SentenceTable& english, SentenceTable& russian) {
  const int32_t ne = english.count(), nr = russian.count();
  if (ne == 0 || nr == 0) return;
  if (ne == nr) {
    for (int32_t k = 1; k <= ne; ++k) english.at(k).partner = k, russian.at(k).partner = k;
    return;
  }
  const std::vector<int32_t> le = Lengths(english), lr = Lengths(russian);
  StepSearch search(le, lr);
  std::vector<Deviation> devs;
  int32_t prev = 0, run = 0;
  for (int32_t k = 1; k <= ne; ++k) {
    const int32_t expected = RoundHalfEven(k * (static_cast<double>(nr) / ne));
    const int32_t w = RoundHalfEven(ne / 100.0 + 0.05 * (ne / 2.0 - std::abs(k - ne / 2.0)));
    const int32_t e = expected - w <= prev + 1 && prev + 1 <= expected + w ? prev + 1 : expected;
    int32_t c = search.Find(k, e);
    ++run;
    if (c != prev + 1) {
      if (c - (prev + 1) > 1) c = prev + 2;
      if (c - (prev + 1) < -1) c = prev;
      devs.push_back({c - (prev + 1), run});
      run = 0;
    }
    prev = c;
  }
  CancelZigzags(devs);

  // Partners along the path; a later assignment replaces an earlier one.
  std::vector<char> englishSet(static_cast<size_t>(ne) + 1, 0), russianSet(static_cast<size_t>(nr) + 1, 0);
  auto link = [&](int32_t en, int32_t ru) {
    if (en >= 1 && en <= ne) english.at(en).partner = ru, englishSet[static_cast<size_t>(en)] = 1;
    if (ru >= 1 && ru <= nr) russian.at(ru).partner = en, russianSet[static_cast<size_t>(ru)] = 1;
  };
  int32_t off = 0, en = 0;
  for (const Deviation& d : devs) {
    for (int32_t i = 0; i < d.run; ++i) {
      ++en;
      link(en, en + off);
    }
    off += d.delta;
    link(en, en + off);
  }
  // Boundaries past the last deviation follow its offset, filling only partners the
  // path never gave (a Russian partner the path fixed stays); a Russian boundary the
  // path stepped over takes the partner of the one before it; every partner is kept
  // inside the other table.
  for (int32_t k = en + 1; k <= ne; ++k) {
    if (englishSet[static_cast<size_t>(k)]) continue;
    const int32_t ru = k + off;
    english.at(k).partner = ru;
    englishSet[static_cast<size_t>(k)] = 1;
    if (ru >= 1 && ru <= nr && !russianSet[static_cast<size_t>(ru)])
      russian.at(ru).partner = k, russianSet[static_cast<size_t>(ru)] = 1;
  }
  int32_t last = 1;
  for (int32_t k = 1; k <= nr; ++k) {
    if (!russianSet[static_cast<size_t>(k)]) russian.at(k).partner = last;
    last = russian.at(k).partner;
  }
  for (SentenceBoundary& b : english.boundaries) b.partner = std::clamp(b.partner, 1, nr);
  for (SentenceBoundary& b : russian.boundaries) b.partner = std::clamp(b.partner, 1, ne);
}

int32_t BoundaryOfOffset(const SentenceTable& table, int32_t p) {
  const int32_t n = table.count();
  if (n == 0) return 0;
  // Ends are ascending, so the first end at or after p is found by bisection.
  const auto it = std::lower_bound(table.boundaries.begin(), table.boundaries.end(), p,
                                   [](const SentenceBoundary& b, int32_t v) { return b.endOffset < v; });
  const int32_t k = static_cast<int32_t>(it - table.boundaries.begin()) + 1;
  return std::max(1, k - 1);
}

PartnerExcerpt PartnerExcerptOf(const SentenceTable& a, const SentenceTable& b, std::string_view textB,
                                int32_t boundary, int32_t quickStart, int32_t quickEnd) {
  PartnerExcerpt out;
  const int32_t nb = b.count();
  if (nb == 0 || boundary < 1 || boundary > a.count()) return out;
  const int32_t q = std::clamp(a.at(boundary).partner, 1, nb);
  out.caret = b.at(q).endOffset;
  int64_t first = int64_t{q} + quickStart;
  first = std::clamp<int64_t>(first, 1, nb);
  int64_t z = int64_t{q} + quickEnd;
  z = std::clamp<int64_t>(z, 1, std::max(1, nb - 1));
  const int32_t zb = static_cast<int32_t>(std::min<int64_t>(z + 1, nb));
  const int64_t len = int64_t{b.at(zb).endOffset} - b.at(static_cast<int32_t>(first)).endOffset;
  // The character after a sentence end (normally a space) is skipped; at the start
  // of the text there is none to skip.
  const int64_t firstEnd = b.at(static_cast<int32_t>(first)).endOffset;
  const int64_t start = firstEnd <= 0 ? 0 : firstEnd + 1;  // 0-based
  if (len <= 0 || start >= static_cast<int64_t>(textB.size())) return out;
  out.text = std::string(textB.substr(static_cast<size_t>(start), static_cast<size_t>(len)));
  return out;
}

void SentenceAlignment::SplitEnglish(std::string_view text) {
  english_ = SplitSentences(text);
  Check();
}

void SentenceAlignment::SplitRussian(std::string_view text) {
  russian_ = SplitSentences(text);
  Check();
}

void SentenceAlignment::Check() {
  valid_ = AlignmentPossible(english_.count(), russian_.count());
  if (valid_) AlignTexts(english_, russian_);
}

}  // namespace lx
