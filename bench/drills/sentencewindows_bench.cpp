// Times z (next sentence drawn, written and shown) and x (answer written) in the
// Practice 4 and 5 windows over the course's own noun and verb tables.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "drills/Unit13.h"
#include "drills/Unit15.h"

namespace {

struct Figures {
  double median, p95, worst;
  double cpuMedian, cpuP95;  // the thread's own processor time: the figures without other load
};

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Figures Time(const std::function<void()>& action, int runs) {
  std::vector<double> times, cpu;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = ThreadCpuMs();
    action();
    cpu.push_back(ThreadCpuMs() - cpuStart);
    times.push_back(clock.nsecsElapsed() / 1e6);
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu.begin(), cpu.end());
  const size_t mid = times.size() / 2, p95 = times.size() * 95 / 100;
  return {times[mid], times[p95], times.back(), cpu[mid], cpu[p95]};
}

void Report(const char* name, lx::SentenceWindow& w) {
  w.show();
  QCoreApplication::processEvents();
  const Figures next = Time([&] { w.Button1Click(); }, 300);
  const Figures both = Time([&] { w.Button1Click(); w.Button2Click(); }, 300);
  std::printf("%s: z to the next task shown: median %.2f ms, 95%% %.2f ms, worst %.2f ms (processor %.2f / %.2f ms)\n",
              name, next.median, next.p95, next.worst, next.cpuMedian, next.cpuP95);
  std::printf("%s: z then x, task and answer: median %.2f ms, 95%% %.2f ms, worst %.2f ms (processor %.2f / %.2f ms)\n",
              name, both.median, both.p95, both.worst, both.cpuMedian, both.cpuP95);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  lx::LessonContext context;
  context.dataDir = lx::DataDir(std::string(LEXITAR_SOURCE_DIR) + "/");
  lx::Tform13 practice4(context);
  lx::Tform15 practice5(context);
  std::printf("tables: %zu verbs\n", practice4.tables().verbs.verbs.size());
  Report("Practice 4", practice4);
  Report("Practice 5", practice5);
  return 0;
}
