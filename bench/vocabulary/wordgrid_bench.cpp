// The lesson 6 grid with 50,000 entries: a sort, a page of scrolling and a whole
// new list, each timed until the grid has repainted. Runs offscreen.
#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "vocabulary/Unit16.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

std::string Word(std::mt19937& rng) {
  std::string s(3 + rng() % 9, 'a');
  for (char& c : s) c = static_cast<char>('a' + rng() % 26);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  std::mt19937 rng(16);
  lx::WordList list;
  lx::Lesson6Context context;
  lx::Tform16 window(list, context);
  window.sPageControl1->setCurrentIndex(1);
  window.show();
  QTableView* grid = window.StringGrid1;
  auto repaint = [&] {
    QApplication::processEvents();
    grid->viewport()->repaint();
  };

  std::vector<lx::tspi> entries(lx::WordList::kCapacity);
  for (lx::tspi& e : entries) {
    e.word = Word(rng);
    e.translation = "\xef\xe5\xf0\xe5\xe2\xee\xe4";
    e.pos = static_cast<lx::PosCode>(rng() % 10);
  }
  const auto l0 = Clock::now();
  list.Assign(entries);
  repaint();
  const double load = Ms(l0, Clock::now());

  double sortWord = 1e9, sortPos = 1e9;
  for (int run = 0; run < 3; ++run) {
    list.Assign(entries);
    repaint();
    const auto a = Clock::now();
    window.SpeedButton9Click();
    repaint();
    sortWord = std::min(sortWord, Ms(a, Clock::now()));
    const auto b = Clock::now();
    window.SpeedButton10Click();
    repaint();
    sortPos = std::min(sortPos, Ms(b, Clock::now()));
  }

  QScrollBar* bar = grid->verticalScrollBar();
  const int steps = 200;
  double worst = 0;
  const auto s0 = Clock::now();
  for (int i = 0; i < steps; ++i) {
    const auto a = Clock::now();
    bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * i / steps));
    repaint();
    worst = std::max(worst, Ms(a, Clock::now()));
  }
  const double scroll = Ms(s0, Clock::now()) / steps;

  std::printf("grid of %zu entries (%d rows)\n", list.count(), window.model()->rowCount());
  std::printf("new list shown: %.1f ms\n", load);
  std::printf("sort by word: %.1f ms, by part of speech: %.1f ms (repaint included)\n", sortWord, sortPos);
  std::printf("scroll step: %.2f ms on average, %.2f ms at worst\n", scroll, worst);
  return 0;
}
