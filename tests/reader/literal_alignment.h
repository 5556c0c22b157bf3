#pragma once
// A word-for-word transcription of the alignment steps with 1-based arrays and the
// full cost table, kept as the reference the fast search is checked against.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "reader/alignment.h"

namespace literal {

inline int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// LE and LR hold a dummy at index 0.
inline int32_t FindAlignmentStep(const std::vector<int32_t>& LE, const std::vector<int32_t>& LR,
                                 int32_t NE, int32_t NR, int32_t k, int32_t e) {
  int32_t n = std::min(200, NE - k);
  if (n < 0) n = 0;
  const int32_t centre = e - k + 1;
  const int32_t omin = centre - 100, omax = centre + 100;
  // cost[o - omin][c]
  std::vector<std::vector<int64_t>> cost(201, std::vector<int64_t>(static_cast<size_t>(n) + 1));
  auto term = [&](int32_t i, int32_t o) -> int64_t {
    if (i < 1 || i > NE || i + o < 1 || i + o > NR) return 10000000;
    return std::abs(int64_t{LE[static_cast<size_t>(i)]} - LR[static_cast<size_t>(i + o)]);
  };
  for (int32_t o = omin; o <= omax; ++o) {
    auto& col = cost[static_cast<size_t>(o - omin)];
    col[0] = term(k, o);
    for (int32_t c = 1; c <= n; ++c) col[static_cast<size_t>(c)] = col[static_cast<size_t>(c - 1)] + term(k - c, o) + term(k + c, o);
  }
  auto at = [&](int32_t o, int32_t c) { return cost[static_cast<size_t>(o - omin)][static_cast<size_t>(c)]; };
  int32_t best = centre;
  int32_t r = Round(n / 4.0);
  int32_t lo = std::max(best - r, omin), hi = std::min(best + r, omax);
  for (int32_t c = n; c >= 0; --c) {
    int64_t cur = at(best, c);
    for (int32_t o = lo; o <= hi; ++o) {
      if (at(o, c) < cur && at(o, c) < 10000000) {
        cur = at(o, c);
        best = o;
      }
    }
    r = Round(c / 4.0);
    lo = std::max(best - r, omin);
    hi = std::min(best + r, omax);
  }
  return k + best;
}

struct Deviation {
  int32_t delta, run;
};

// Partners as the steps assign them; partner 0 means never assigned. Boundaries
// beyond a table are not written. `off` and `en` are where the path ended.
inline void PathPartners(std::vector<int32_t>& PE, std::vector<int32_t>& PR, const std::vector<int32_t>& LE,
                         const std::vector<int32_t>& LR, int32_t& off, int32_t& en) {
  const int32_t NE = static_cast<int32_t>(LE.size()) - 1, NR = static_cast<int32_t>(LR.size()) - 1;
  PE.assign(static_cast<size_t>(NE) + 1, 0);
  PR.assign(static_cast<size_t>(NR) + 1, 0);
  auto setE = [&](int32_t i, int32_t v) { if (i >= 1 && i <= NE) PE[static_cast<size_t>(i)] = v; };
  auto setR = [&](int32_t i, int32_t v) { if (i >= 1 && i <= NR) PR[static_cast<size_t>(i)] = v; };
  if (NE == NR) {
    for (int32_t k = 1; k <= NE; ++k) setE(k, k), setR(k, k);
    en = NE;
    return;
  }
  std::vector<Deviation> dev;
  int32_t prev = 0, runCounter = 0;
  for (int32_t k = 1; k <= NE; ++k) {
    const int32_t exp = Round(k * (static_cast<double>(NR) / NE));
    const int32_t w = Round(NE / 100.0 + 0.05 * (NE / 2.0 - std::abs(k - NE / 2.0)));
    int32_t e = (exp - w <= prev + 1 && prev + 1 <= exp + w) ? prev + 1 : exp;
    int32_t C = FindAlignmentStep(LE, LR, NE, NR, k, e);
    runCounter = runCounter + 1;
    if (C != prev + 1) {
      if (C - (prev + 1) > 1) C = prev + 2;
      if (C - (prev + 1) < -1) C = prev;
      dev.push_back({C - (prev + 1), runCounter});
      runCounter = 0;
    }
    prev = C;
  }
  const size_t D = dev.size();
  for (int32_t G = 1; G <= 5; ++G) {
    for (size_t s = 0; s < D; ++s) {
      if (dev[s].delta == 0) continue;
      int32_t sum = dev[s].delta, span = 0;
      size_t t = s;
      while (span <= G && sum != 0 && t < D - 1) {
        t = t + 1;
        sum = sum + dev[t].delta;
        span = span + dev[t].run;
      }
      if (t > s && sum == 0 && span <= G)
        for (size_t j = s; j <= t; ++j) dev[j].delta = 0;
    }
  }
  std::vector<Deviation> kept;
  for (size_t i = 0; i < D; ++i) {
    if (dev[i].delta == 0) {
      if (i + 1 < D) dev[i + 1].run = dev[i + 1].run + dev[i].run;
    } else {
      kept.push_back(dev[i]);
    }
  }
  off = 0, en = 0;
  for (const Deviation& d : kept) {
    for (int32_t i = 1; i <= d.run; ++i) {
      en = en + 1;
      setE(en, en + off);
      setR(en + off, en);
    }
    off = off + d.delta;
    setE(en, en + off);
    setR(en + off, en);
  }
}

// The partners of the steps, then the never-assigned and out-of-range ones filled as
// the reader does: English boundaries past the path follow the last offset (a Russian
// partner the path gave is kept), a skipped Russian boundary takes its predecessor's
// partner, everything clamped into the other table.
inline void AlignTexts(std::vector<int32_t>& PE, std::vector<int32_t>& PR, const std::vector<int32_t>& LE,
                       const std::vector<int32_t>& LR) {
  const int32_t NE = static_cast<int32_t>(LE.size()) - 1, NR = static_cast<int32_t>(LR.size()) - 1;
  int32_t off = 0, en = 0;
  PathPartners(PE, PR, LE, LR, off, en);
  for (int32_t k = en + 1; k <= NE; ++k) {
    if (PE[static_cast<size_t>(k)] != 0) continue;
    PE[static_cast<size_t>(k)] = k + off;
    if (k + off >= 1 && k + off <= NR && PR[static_cast<size_t>(k + off)] == 0) PR[static_cast<size_t>(k + off)] = k;
  }
  int32_t last = 1;
  for (int32_t k = 1; k <= NR; ++k) {
    if (PR[static_cast<size_t>(k)] == 0) PR[static_cast<size_t>(k)] = last;
    last = PR[static_cast<size_t>(k)];
  }
  for (int32_t k = 1; k <= NE; ++k) PE[static_cast<size_t>(k)] = std::clamp(PE[static_cast<size_t>(k)], 1, NR);
  for (int32_t k = 1; k <= NR; ++k) PR[static_cast<size_t>(k)] = std::clamp(PR[static_cast<size_t>(k)], 1, NE);
}

}  // namespace literal
