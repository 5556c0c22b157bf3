#pragma once
// Lesson 1's pictures: the frame behind the symbol ("0"), the mouth in profile
// ("r" stems), the lips from the front ("g" stems) and the vowel tongue places
// ("t" stems).
#include <QPainter>
#include <functional>
#include <string>
#include <vector>

namespace pictures {

struct Drawing {
  std::string stem;
  int width, height;
  std::function<void(QPainter&)> draw;
};

std::vector<Drawing> ArticulationPictures();

}  // namespace pictures
