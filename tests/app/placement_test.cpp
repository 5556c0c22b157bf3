// Stored window places fitted to the screen.
#include <gtest/gtest.h>

#include "app/centre.h"

namespace {

TEST(FitStoredPlace, KeepsWhatFitsAndBringsTheRestOntoTheScreen) {
  const QRect screen(0, 0, 1280, 1000);  // available area below a 24-pixel panel
  struct Case {
    QRect stored;
    QRect fitted;
  } cases[] = {
      {{10, 30, 400, 700}, {10, 30, 400, 700}},              // on the screen: unchanged
      {{-300, 30, 400, 700}, {-300, 30, 400, 700}},          // partly off: still reachable
      {{1200, 900, 400, 700}, {1200, 900, 400, 700}},        // hanging off the corner
      {{10, 30, 32767, 32767}, {10, 30, 1280, 1000}},        // larger than the screen
      {{5000, 5000, 400, 300}, {1220, 940, 400, 300}},       // wholly to the right and below
      {{-5000, -5000, 400, 300}, {-340, 0, 400, 300}},       // wholly to the left and above
      {{10, 30, 0, -20}, {10, 30, 1, 1}},                    // no size at all
      {{0, 0, 1280, 1000}, {0, 0, 1280, 1000}},              // exactly the screen
  };
  for (const auto& c : cases) {
    const QRect got = lx::FitStoredPlace(c.stored, screen);
    EXPECT_EQ(got, c.fitted) << c.stored.x() << "," << c.stored.y() << " " << c.stored.width() << "x"
                             << c.stored.height() << " -> " << got.x() << "," << got.y() << " " << got.width()
                             << "x" << got.height();
  }
  // A window's own minimum size is kept when the screen allows it.
  EXPECT_EQ(lx::FitStoredPlace({10, 30, 5, 5}, screen, {200, 100}).size(), QSize(200, 100));
}

}  // namespace
