// The click path over the built tables (the data folder in the build folder, the parent
// of bench/): time per lookup of a word form and of the spelling suggestions for an
// unknown word. `bench_wordforms --classify < words` prints, for each word (one a line,
// lower case, as a click gives it), what the near match alone found and what the click
// path finds: "word TAB near-match headword TAB route TAB headword" (bench/dictionary/
// measure_clicks.py turns that into the table of right and wrong entries).
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/textfile.h"
#include "dictionary/lookup.h"
#include "dictionary/wordforms.h"

namespace {

// Processor time of this thread: on a shared machine the wall clock mostly measures
// the other programs.
struct Clock {
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
};

double Ms(double elapsed) { return elapsed; }

const char* RouteName(lx::LookupRoute r) {
  switch (r) {
    case lx::LookupRoute::Headword: return "headword";
    case lx::LookupRoute::Contraction: return "contraction";
    case lx::LookupRoute::Form: return "form";
    case lx::LookupRoute::Ending: return "ending";
    case lx::LookupRoute::NearMatch: return "near";
    case lx::LookupRoute::Unknown: return "unknown";
  }
  return "?";
}

void Print(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  double mean = 0;
  for (double v : ms) mean += v;
  mean /= static_cast<double>(ms.size());
  std::printf("%-44s CPU time: mean %.3f ms, p99 %.3f ms, max %.3f ms (%zu keys)\n", what, mean, ms[ms.size() * 99 / 100],
              ms.back(), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
  const lx::DataDir dir(lx::DataDir::OfExecutable().root() + "../");
  std::string dictBytes, formsBytes;
  if (!lx::ReadFileBytes(dir.Path("data\\dict1.txt"), dictBytes)) {
    std::fprintf(stderr, "cannot read %s: build the course data first\n", dir.Path("data\\dict1.txt").c_str());
    return 1;
  }
  lx::DictTable table;
  table.Load(dictBytes);
  lx::WordForms forms;
  if (lx::ReadFileBytes(dir.Path("data\\forms.txt"), formsBytes)) forms.Load(formsBytes);

  if (argc > 1 && std::string(argv[1]) == "--classify") {
    std::string word;
    while (std::getline(std::cin, word)) {
      if (word.empty()) continue;
      const auto near = lx::FindHeadword(table, word);
      const auto found = lx::LookUpEnglish(table, forms, word);
      std::printf("%s\t%s\t%s\t%s\n", word.c_str(), near ? table.record(*near).headword.c_str() : "",
                  RouteName(found.route), found.entry ? table.record(*found.entry).headword.c_str() : "");
    }
    return 0;
  }

  // Keys: inflected forms of headwords (what a click on prose gives most) and misspelt
  // headwords (what the suggestions are made for).
  std::mt19937 rng(7);
  std::vector<std::string> inflected, misspelt;
  static const char* const kEndings[] = {"s", "es", "ed", "ing", "er", "est", "ies"};
  for (int i = 0; i < 2000; ++i) {
    const std::string& h = table.record(1 + static_cast<int>(rng() % static_cast<unsigned>(table.count()))).headword;
    if (h.find(' ') != std::string::npos) continue;
    inflected.push_back(h + kEndings[rng() % 7]);
    std::string m = h;
    const size_t at = rng() % m.size();
    m[at] = static_cast<char>('a' + rng() % 26);
    misspelt.push_back(m);
  }
  const auto built = Clock::now();
  const lx::SpellingSuggester suggester(table);
  const double buildMs = Ms(Clock::now() - built);
  std::vector<double> lookups, suggestions;
  for (const auto& key : inflected) {
    const auto t0 = Clock::now();
    const auto r = lx::LookUpEnglish(table, forms, key);
    lookups.push_back(Ms(Clock::now() - t0));
    (void)r;
  }
  for (const auto& key : misspelt) {
    const auto t0 = Clock::now();
    const auto s = suggester.Suggest(key, 6);
    suggestions.push_back(Ms(Clock::now() - t0));
    (void)s;
  }
  std::printf("%d headwords, %zu word forms; the suggester is built in %.2f ms\n", table.count(), forms.size(),
              buildMs);
  Print("LookUpEnglish, inflected headwords", lookups);
  Print("SpellingSuggestions, misspelt headwords", suggestions);
  return 0;
}
