// Dictionary speed over the built tables (the data folder in the build folder, the
// parent of bench/): FindHeadword per key, for headwords and for misspelt keys, and
// the time from LookUp to the rendered article for the longest articles.
// `bench_dictionary --shot go.png [WORD]` also saves a picture of the window showing WORD ("go").
#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "dictionary/Unit9.h"
#include "dictionary/lookup.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Figures {
  double mean = 0, p99 = 0, max = 0;
};

Figures Summarise(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  Figures f;
  for (double v : ms) f.mean += v;
  f.mean /= static_cast<double>(ms.size());
  f.p99 = ms[ms.size() * 99 / 100];
  f.max = ms.back();
  return f;
}

// One edit of a random kind: a letter replaced, dropped, doubled or two swapped.
std::string Misspell(std::string word, std::mt19937& rng) {
  if (word.size() < 2) return word + "x";
  const size_t i = rng() % (word.size() - 1);
  switch (rng() % 4) {
    case 0: word[i] = static_cast<char>('a' + rng() % 26); break;
    case 1: word.erase(i, 1); break;
    case 2: word.insert(i, 1, word[i]); break;
    default: std::swap(word[i], word[i + 1]); break;
  }
  return word;
}

bool Load(const lx::DataDir& dir, const char* file, std::string& bytes) {
  if (lx::ReadFileBytes(dir.Path(file), bytes)) return true;
  std::fprintf(stderr, "cannot read %s: build the course data first\n", dir.Path(file).c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const lx::DataDir dir(lx::DataDir::OfExecutable().root() + "../");
  std::string d1, d2, words;
  if (!Load(dir, "data\\dict1.txt", d1) || !Load(dir, "data\\dict2.txt", d2) || !Load(dir, "data\\words.txt", words))
    return 1;
  lx::DictTable english;
  lx::Dict2Table russian;
  lx::SoundIndex sounds;
  english.Load(d1);
  russian.Load(d2);
  sounds.Load(words);

  std::mt19937 rng(2026);
  std::vector<std::string> headwords, misspelt;
  for (int i = 0; i < 1000; ++i) {
    const std::string& h = english.record(1 + static_cast<int>(rng() % english.count())).headword;
    headwords.push_back(h);
    misspelt.push_back(Misspell(h, rng));
  }
  auto timeKeys = [&](const std::vector<std::string>& keys, int& found) {
    std::vector<double> ms;
    found = 0;
    for (const std::string& key : keys) {
      const auto t = Clock::now();
      const auto k = lx::FindHeadword(english, key);
      ms.push_back(Ms(Clock::now() - t));
      if (k) ++found;
    }
    return Summarise(ms);
  };
  int found = 0;
  const Figures exact = timeKeys(headwords, found);
  std::printf("FindHeadword, %d English records, 1000 headwords: mean %.4f ms, p99 %.4f ms, max %.4f ms (%d found)\n",
              english.count(), exact.mean, exact.p99, exact.max, found);
  const Figures near = timeKeys(misspelt, found);
  std::printf("FindHeadword, 1000 misspelt keys: mean %.4f ms, p99 %.4f ms, max %.4f ms (%d matched)\n", near.mean,
              near.p99, near.max, found);

  lx::SettingsSlots settings;
  lx::DictionaryContext context;
  context.dictTable = &english;
  context.dict2Table = &russian;
  context.soundIndex = &sounds;
  context.settings = &settings;
  lx::WordForms forms;
  std::string formBytes;
  if (lx::ReadFileBytes(dir.Path("data\\forms.txt"), formBytes)) forms.Load(formBytes);
  context.wordForms = &forms;
  lx::Tform9 window(context);
  window.resize(420, 640);
  window.show();
  window.SpeakOnLookup = false;

  // The ten longest articles, each looked up ten times.
  std::vector<int> longest(static_cast<size_t>(english.count()));
  for (int i = 0; i < english.count(); ++i) longest[static_cast<size_t>(i)] = i + 1;
  std::partial_sort(longest.begin(), longest.begin() + 10, longest.end(), [&](int a, int b) {
    return english.record(a).article.size() > english.record(b).article.size();
  });
  std::vector<double> ms;
  for (int r = 0; r < 10; ++r) {
    const lx::tdict& record = english.record(longest[static_cast<size_t>(r)]);
    for (int i = 0; i < 10; ++i) {
      window.Edit1->setText(lx::ToQ(record.headword));
      const auto t = Clock::now();
      window.LookUp();
      ms.push_back(Ms(Clock::now() - t));
    }
  }
  const Figures render = Summarise(ms);
  std::printf("LookUp to rendered article, the 10 longest articles (%zu to %zu bytes, \"%s\" first): mean %.2f ms, "
              "max %.2f ms\n",
              english.record(longest[9]).article.size(), english.record(longest[0]).article.size(),
              english.record(longest[0]).headword.c_str(), render.mean, render.max);

  if (argc >= 3 && std::string(argv[1]) == "--shot") {
    const char* word = argc >= 4 ? argv[3] : "go";
    window.Edit1->setText(QString::fromLocal8Bit(word));
    window.LookUp();
    QApplication::processEvents();
    window.grab().save(QString::fromLocal8Bit(argv[2]));
    std::printf("picture of \"%s\" saved to %s\n", word, argv[2]);
  }
  return 0;
}
