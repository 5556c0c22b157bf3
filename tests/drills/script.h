#pragma once
// A random source for the drills that hands out scripted draws in order and checks
// each bound it is asked for.
#include <gtest/gtest.h>

#include <deque>
#include <utility>

#include "drills/numberwords.h"

struct Script {
  std::deque<std::pair<int32_t, int32_t>> draws;  // {expected m, value}
  lx::RandomSource source() {
    return [this](int32_t m) {
      EXPECT_FALSE(draws.empty()) << "unexpected draw R(" << m << ")";
      if (draws.empty()) return 0;
      const auto [want, value] = draws.front();
      draws.pop_front();
      EXPECT_EQ(m, want);
      return value;
    };
  }
};
