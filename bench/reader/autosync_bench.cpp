// Accuracy, time and memory of the automatic control points, against test audiobooks
// whose true sentence times are known: the sample book's text spoken by voices other
// than the aligner's, with random pauses and noise, and an hour-long book for speed.
// Each alignment runs in a child process, so its peak resident memory is its own.
//
//   bench_autosync [SOURCE_DIR] [BUILD_DATA_DIR]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "reader/project.h"
#include "syncbook.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Measured {
  bool ok = false;
  std::vector<lx::AutoSyncPoint> points;
  double seconds = 0;
  double cpuSeconds = 0;
  double matchRatio = 0;
  long peakMb = 0;
  std::string message;
};

// Aligns in a child process and reads back its points, time and peak memory.
Measured AlignInChild(const std::string& text, const std::string& wav, const fs::path& out) {
  const pid_t child = fork();
  if (child == 0) {
    lx::AutoSyncControl control;
    const auto start = std::chrono::steady_clock::now();
    const lx::AutoSyncResult r = lx::ComputeControlPoints(text, wav, control);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::ofstream f(out);
    f << (r.ok ? 1 : 0) << ' ' << seconds << ' ' << r.matchRatio << ' ' << r.points.size() << '\n';
    for (const auto& p : r.points) f << p.textPosition << ' ' << p.audioMs << '\n';
    f << r.message << '\n';
    f.close();
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  Measured m;
  m.peakMb = usage.ru_maxrss / 1024;
  m.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::ifstream f(out);
  size_t n = 0;
  int ok = 0;
  f >> ok >> m.seconds >> m.matchRatio >> n;
  m.ok = ok == 1;
  m.points.resize(n);
  for (auto& p : m.points) f >> p.textPosition >> p.audioMs;
  f.ignore();
  std::getline(f, m.message);
  return m;
}

void Report(const char* name, const lx::test::SyncBook& book, const Measured& m) {
  if (!m.ok || m.points.size() != book.startsMs.size() + 1) {
    std::printf("%-30s FAILED (match %.3f): %s\n", name, m.matchRatio, m.message.c_str());
    return;
  }
  size_t within100 = 0, within250 = 0;
  int32_t worst = 0;
  for (size_t k = 0; k < book.startsMs.size(); ++k) {
    const int32_t error = std::abs(m.points[k].audioMs - book.startsMs[k]);
    within100 += error <= 100;
    within250 += error <= 250;
    worst = std::max(worst, error);
  }
  const double n = static_cast<double>(book.startsMs.size());
  std::printf("%-30s %5.1f min %5zu sentences  <=100 ms %5.1f%%  <=250 ms %5.1f%%  worst %4d ms  "
              "%5.1f s (CPU %5.1f s)  %4ld MB  match %.3f\n",
              name, book.seconds / 60, book.startsMs.size(), 100 * within100 / n, 100 * within250 / n, worst,
              m.seconds, m.cpuSeconds, m.peakMb, m.matchRatio);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path source = argc > 1 ? argv[1] : LEXITAR_SOURCE_DIR;
  const fs::path data = argc > 2 ? argv[2] : "data";
  const std::string text = ReadBytes(source / "data/book/clock-shop-en.txt");
  if (text.empty()) {
    std::fprintf(stderr, "cannot read the sample book's text under %s\n", source.c_str());
    return 1;
  }
  const fs::path folder = fs::temp_directory_path() / ("lexitar-bench-autosync-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::printf("Automatic control points: true sentence starts against the computed ones\n");

  struct Variant {
    const char* name;
    lx::test::SyncBookVoice how;
    int repeat;
  } variants[] = {
      {"en-us, 190 wpm, pitch 70", {{"en-us", 190, 70}, 150, 900, 0.003, 1}, 1},
      {"en-us+f3, 140 wpm, noise 1%", {{"en-us+f3", 140, 40}, 100, 1500, 0.01, 2}, 1},
      {"en-gb-scotland+m3, 175 wpm", {{"en-gb-scotland+m3", 175, 30}, 50, 600, 0.005, 3}, 1},
      {"en-us, one hour (book x N)", {{"en-us", 170, 60}, 150, 900, 0.003, 4}, 0},
  };
  for (auto& v : variants) {
    const std::string wav = (folder / "book.wav").string();
    int repeat = v.repeat;
    if (repeat == 0) {
      // As many readings of the book as make an hour.
      const lx::test::SyncBook once = lx::test::MakeSyncBook(text, wav, v.how);
      repeat = std::max(1, static_cast<int>(3600 / once.seconds + 0.999));
    }
    std::string book;
    for (int r = 0; r < repeat; ++r) book += text;
    const lx::test::SyncBook truth = lx::test::MakeSyncBook(text, wav, v.how, repeat);
    Report(v.name, truth, AlignInChild(book, wav, folder / "points.txt"));
    fs::remove(wav);
  }

  // The sample book: its exact points from synthesis against the recomputed ones.
  const fs::path acp = data / "book/clock-shop.acp";
  if (fs::exists(acp)) {
    lx::ReaderProject project;
    lx::LoadProject(fs::absolute(acp).string(), project);
    const auto& exact = project.entries.at(0).points;
    const Measured m = AlignInChild(ReadBytes(project.englishPath), project.entries[0].path, folder / "points.txt");
    if (!m.ok || m.points.size() != exact.size()) {
      std::printf("sample book: FAILED %s\n", m.message.c_str());
    } else {
      int32_t worst = 0;
      double sum = 0;
      for (size_t k = 0; k < exact.size(); ++k) {
        const int32_t error = std::abs(m.points[k].audioMs - exact[k].audioMs);
        worst = std::max(worst, error);
        sum += error;
      }
      std::printf("sample book (its own voice): %zu points, mean difference %.1f ms, worst %d ms, %.1f s, %ld MB\n",
                  exact.size(), sum / static_cast<double>(exact.size()), worst, m.seconds, m.peakMb);
    }
  }
  fs::remove_all(folder);
  return 0;
}
