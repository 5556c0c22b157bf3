// Loading and saving a full word list (50,000 entries, a fifth of them verbs with
// their forms) in a temporary folder.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "vocabulary/wordlist.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Word(std::mt19937& rng, int lo, int hi) {
  std::uniform_int_distribution<int> len(lo, hi), letter(0, 25);
  std::string s(static_cast<size_t>(len(rng)), 'a');
  for (char& c : s) c = static_cast<char>('a' + letter(rng));
  return s;
}

std::string Russian(std::mt19937& rng, int lo, int hi) {
  std::uniform_int_distribution<int> len(lo, hi), letter(0xE0, 0xFF);
  std::string s(static_cast<size_t>(len(rng)), ' ');
  for (char& c : s) c = static_cast<char>(letter(rng));
  return s;
}

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace

int main() {
  std::mt19937 rng(6);
  lx::WordList list;
  std::uniform_int_distribution<int> pos(0, 9), mark(0, 3);
  while (!list.full()) {
    lx::tspi e;
    e.pos = pos(rng);
    e.word = Word(rng, 2, 12);
    e.translation = Russian(rng, 3, 30);
    if (e.pos == lx::kPosVerb) e.form2 = Word(rng, 3, 10), e.form3 = Word(rng, 3, 10), e.form4 = Word(rng, 4, 12);
    if (mark(rng) == 0) e.mark = 'z';
    list.Append(std::move(e));
  }

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("lexitar-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "list.txt").string();

  double save = 1e9, load = 1e9;
  lx::WordList back;
  for (int run = 0; run < 5; ++run) {
    const auto a = Clock::now();
    const bool saved = lx::SaveWordList(path, list);
    const auto b = Clock::now();
    lx::LoadWordList(path, back);
    const auto c = Clock::now();
    if (!saved) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    save = std::min(save, Ms(a, b));
    load = std::min(load, Ms(b, c));
  }
  const auto size = std::filesystem::file_size(path);
  std::filesystem::remove_all(dir);
  const bool same = back.entries() == list.entries();
  std::printf("entries: %zu, file %.1f KB\nsave: %.1f ms\nload: %.1f ms\nround trip %s\n", list.count(),
              static_cast<double>(size) / 1024, save, load, same ? "equal" : "DIFFERS");
  return same ? 0 : 1;
}
