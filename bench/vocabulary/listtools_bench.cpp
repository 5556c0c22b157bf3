// Building a word list from a 1 MB English text and the quick translation of a
// 50,000-entry list, over the course dictionary (data/dict1.txt in the current
// folder, as `make bench` runs it from the build folder). The text is assembled
// here from the English examples of the dictionary's articles.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "app/core/dicttables.h"
#include "app/core/textfile.h"
#include "dictionary/lookup.h"
#include "vocabulary/headwordindex.h"
#include "vocabulary/listtools.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// The English spans ("<span class=ew>...</span>") of every article with at least
// three words, as lines of running text, repeated up to `size` bytes.
std::string EnglishText(const lx::DictTable& dict, size_t size) {
  std::string examples;
  const std::string_view open = "<span class=ew>", close = "</span>";
  for (const lx::tdict& r : dict.records()) {
    std::string_view a = r.article;
    for (size_t at = a.find(open); at != std::string_view::npos; at = a.find(open, at)) {
      at += open.size();
      const size_t end = a.find(close, at);
      if (end == std::string_view::npos) break;
      const std::string_view span = a.substr(at, end - at);
      if (std::count(span.begin(), span.end(), ' ') >= 2 && span.find('<') == std::string_view::npos) {
        examples += span;
        examples += examples.size() % 5 == 0 ? ".\r\n" : ". ";
      }
      at = end;
    }
  }
  if (examples.empty()) return {};
  std::string text;
  text.reserve(size + examples.size());
  while (text.size() < size) text += examples;
  text.resize(size);
  return text;
}

}  // namespace

int main() {
  std::string bytes;
  if (!lx::ReadFileBytes("data/dict1.txt", bytes)) {
    std::fprintf(stderr, "data/dict1.txt not found: run from the build folder after `make data`\n");
    return 1;
  }
  lx::DictTable dict;
  dict.Load(bytes);

  const auto i0 = Clock::now();
  const lx::HeadwordIndex index(dict);
  const auto i1 = Clock::now();

  const std::string text = EnglishText(dict, 1 << 20);
  size_t lines = 0;
  lx::ForEachLine(text, [&](std::string_view) { ++lines; });
  double build = 1e9;
  lx::WordList built;
  for (int run = 0; run < 5; ++run) {
    const auto a = Clock::now();
    lx::BuildFromText(text, lx::HeadwordIndex(dict), built);
    build = std::min(build, Ms(a, Clock::now()));
  }

  // 50,000 entries: nine in ten are headwords, the rest are not.
  std::mt19937 rng(50);
  lx::WordList list;
  while (!list.full()) {
    lx::tspi e;
    e.word = dict.record(1 + static_cast<int>(rng() % static_cast<unsigned>(dict.count()))).headword;
    if (rng() % 10 == 0) e.word += "qx";
    list.Append(std::move(e));
  }
  double translate = 1e9;
  size_t filled = 0;
  for (int run = 0; run < 5; ++run) {
    lx::WordList copy;
    copy.Assign(list.entries());
    const auto a = Clock::now();
    filled = lx::QuickTranslate(copy, lx::HeadwordIndex(dict));
    translate = std::min(translate, Ms(a, Clock::now()));
  }

  // What a scan of the table costs per lookup, for comparison.
  const auto s0 = Clock::now();
  int found = 0;
  for (size_t k = 1; k <= 200; ++k) found += lx::FindExactHeadword(dict, list.at(k).word).has_value();
  const double scan = Ms(s0, Clock::now()) / 200;

  std::printf("dictionary: %d records, index built in %.1f ms\n", dict.count(), Ms(i0, i1));
  std::printf("build from text: %.2f MB, %zu lines -> %zu words in %.1f ms (index included)\n",
              static_cast<double>(text.size()) / (1 << 20), lines, built.count(), build);
  std::printf("quick translation: %zu entries, %zu filled in %.1f ms (index included)\n", list.count(), filled,
              translate);
  std::printf("a table scan per lookup: %.3f ms (%d of 200 found); 50,000 scans would take %.0f ms\n", scan, found,
              scan * 50000);
  return 0;
}
