#include "vocabulary/listtools.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/core/foldcase.h"
#include "app/core/textfile.h"

namespace lx {

namespace {

template <typename Less>
void StableSortList(WordList& list, Less less) {
  std::vector<tspi> entries = list.entries();
  std::stable_sort(entries.begin(), entries.end(), less);
  list.Assign(std::move(entries));
}

// Reports (done, total) when the percentage it gives changes.
class Progress {
 public:
  Progress(const ProgressFn& fn, size_t total) : fn_(fn), total_(total) {}
  void Step(size_t done) {
    if (!fn_) return;
    const size_t percent = total_ == 0 ? 100 : done * 100 / total_;
    if (percent == last_) return;
    last_ = percent;
    fn_(done, total_);
  }

 private:
  const ProgressFn& fn_;
  size_t total_;
  size_t last_ = static_cast<size_t>(-1);
};

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The words of a text being built, with their counts.
class TextWords {
 public:
  TextWords(const HeadwordIndex& headwords) : headwords_(headwords) {}

  void Add(std::string_view token) {
    for (;;) {
      if (const auto it = index_.find(token); it != index_.end()) {
        ++counts_[it->second];
        return;
      }
      if (token.size() > 1 && headwords_.Find(token)) {
        if (words_.size() >= WordList::kCapacity) return;
        index_.emplace(std::string(token), words_.size());
        words_.emplace_back(token);
        counts_.push_back(1);
        return;
      }
      if (token.size() > 3 && EndsWith(token, "s")) {
        token.remove_suffix(1);
      } else if (token.size() > 6 && EndsWith(token, "ing")) {
        token.remove_suffix(3);
      } else if (token.size() >= 6 && EndsWith(token, "ed")) {
        token.remove_suffix(2);
      } else {
        return;
      }
    }
  }

  // Most frequent first; equal counts keep the order of first appearance.
  std::vector<tspi> Entries() const {
    std::vector<size_t> order(words_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return counts_[a] > counts_[b]; });
    std::vector<tspi> out(order.size());
    for (size_t i = 0; i < order.size(); ++i) out[i].word = words_[order[i]];
    return out;
  }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  const HeadwordIndex& headwords_;
  std::vector<std::string> words_;
  std::vector<size_t> counts_;
  std::unordered_map<std::string, size_t, Hash, std::equal_to<>> index_;
};

}  // namespace

void SortByWord(WordList& list) {
  StableSortList(list, [](const tspi& a, const tspi& b) {
    return std::lexicographical_compare(a.word.begin(), a.word.end(), b.word.begin(), b.word.end(),
                                        [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
  });
}

void SortByPos(WordList& list) {
  StableSortList(list, [](const tspi& a, const tspi& b) { return a.pos < b.pos; });
}

void SortByMark(WordList& list) {
  StableSortList(list, [](const tspi& a, const tspi& b) {
    return static_cast<unsigned char>(a.mark) < static_cast<unsigned char>(b.mark);
  });
}

size_t MergeLines(std::string_view bytes, WordList& list) { return AppendWordLines(bytes, list); }

bool CutMatches(const tspi& entry, const tspi& read) {
  if (entry.word == read.word && (entry.pos == read.pos || entry.pos == kPosNone || read.pos == kPosNone))
    return true;
  if (read.pos != kPosVerb || entry.pos != kPosNone) return false;
  for (const std::string* form : {&read.form2, &read.form3, &read.form4})
    if (!form->empty() && entry.word == *form) return true;
  return false;
}

size_t CutLines(std::string_view bytes, WordList& list) {
  std::vector<tspi> entries = list.entries();
  const size_t before = entries.size();
  ForEachLine(bytes, [&](std::string_view line) {
    const tspi read = ParseWordLine(line);
    std::erase_if(entries, [&](const tspi& e) { return CutMatches(e, read); });
  });
  const size_t removed = before - entries.size();
  if (removed > 0) list.Assign(std::move(entries));
  return removed;
}

bool IsTextSeparator(char c) {
  switch (c) {
    case ' ': case '\t': case '!': case '"': case '\'': case '(': case ')':
    case ',': case '-': case '.': case ':': case ';': case '?':
      return true;
    default:
      return false;
  }
}

void BuildFromText(std::string_view text, const HeadwordIndex& headwords, WordList& list, const ProgressFn& progress) {
  size_t lines = 0;
  ForEachLine(text, [&](std::string_view) { ++lines; });
  Progress report(progress, std::max<size_t>(lines, 1));
  TextWords words(headwords);
  size_t done = 0;
  std::string folded;
  ForEachLine(text, [&](std::string_view line) {
    folded = FoldLower(line);
    size_t start = 0;
    for (size_t i = 0; i <= folded.size(); ++i) {
      if (i < folded.size() && !IsTextSeparator(folded[i])) continue;
      if (i > start) words.Add(std::string_view(folded).substr(start, i - start));
      start = i + 1;
    }
    report.Step(++done);
  });
  list.Assign(words.Entries());
}

size_t QuickTranslate(WordList& list, const HeadwordIndex& headwords, const ProgressFn& progress) {
  Progress report(progress, list.count());
  size_t filled = 0;
  {
    WordList::Batch batch(list);
    for (size_t k = 1; k <= list.count(); ++k) {
      tspi& e = list.at(k);
      if (e.translation.empty()) {
        if (const std::optional<int> record = headwords.Find(e.word)) {
          e.translation = headwords.table().record(*record).translation;
          std::replace(e.translation.begin(), e.translation.end(), '\t', ' ');
          ++filled;
        }
      }
      report.Step(k);
    }
    if (filled > 0) list.NotifyChanged();
  }
  return filled;
}

}  // namespace lx
