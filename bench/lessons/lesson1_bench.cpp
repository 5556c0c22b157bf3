// Lesson 1 over the built course data (run from the build folder): the time from a
// sound button's press until the strip shows the symbol and the first pair of
// pictures and the pane shows the sound's note (the part of a press that runs
// before the sound starts). Every sound is pressed in turn, three rounds.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "lessons/Unit4.h"
#include "text/picturetable.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const lx::DataDir dir(std::filesystem::current_path().string());
  lx::PictureTable pictures;
  const int found = pictures.Load(dir);
  lx::SettingsSlots settings;
  lx::SoundIndex sounds;
  lx::LessonContext context;
  context.dataDir = dir;
  context.settings = &settings;
  context.soundIndex = &sounds;
  context.pictureTable = &pictures;
  lx::Tform4 window(context);
  window.show();
  window.SpeedButton1Click();
  QCoreApplication::processEvents();

  std::vector<double> ms;
  for (int round = 0; round < 3; ++round)
    for (int n = 1; n <= lx::PhonemeTable::kCount; ++n) {
      QElapsedTimer clock;
      clock.start();
      window.SoundClick(n);
      ms.push_back(clock.nsecsElapsed() / 1e6);
    }
  std::sort(ms.begin(), ms.end());
  std::printf("lesson 1, press to symbol, first pictures and note (%d pictures loaded, %zu presses):\n", found,
              ms.size());
  std::printf("  median %.2f ms, 95th percentile %.2f ms, max %.2f ms (goal: under 30 ms)\n", ms[ms.size() / 2],
              ms[ms.size() * 95 / 100], ms.back());
  return 0;
}
