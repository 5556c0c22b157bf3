#include "vocabulary/wordlist.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/core/errors.h"
#include "app/core/foldcase.h"
#include "app/core/textfile.h"

namespace lx {

namespace {

constexpr std::array<std::string_view, 10> kTags = {
    "", "artic", "noun", "adj", "adv", "pron", "num", "prep", "cj", "v"};

// A line holds at most this many fields; the rest of the line is ignored.
constexpr size_t kMaxFields = 100;

}  // namespace

std::string_view PosTag(PosCode code) {
  if (code < 0 || code >= static_cast<PosCode>(kTags.size())) return {};
  return kTags[static_cast<size_t>(code)];
}

PosCode PosFromTag(std::string_view tag) {
  if (tag.empty()) return kPosNone;
  for (size_t i = 1; i < kTags.size(); ++i)
    if (kTags[i] == tag) return static_cast<PosCode>(i);
  return kPosNone;
}

bool WordList::Append(tspi entry) {
  if (full()) return false;
  entries_.push_back(std::move(entry));
  NotifyChanged();
  return true;
}

bool WordList::AppendWord(std::string_view word) {
  for (const tspi& e : entries_)
    if (e.word == word) return false;
  tspi entry;
  entry.word = std::string(word);
  return Append(std::move(entry));
}

bool WordList::InsertEmpty(size_t k) {
  if (full() || k < 1 || k > entries_.size() + 1) return false;
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(k - 1), tspi{});
  NotifyChanged();
  return true;
}

bool WordList::Delete(size_t k) {
  if (k < 1 || k > entries_.size()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(k - 1));
  NotifyChanged();
  return true;
}

bool WordList::SwapWithNext(size_t k) {
  if (k < 1 || k >= entries_.size()) return false;
  std::swap(entries_[k - 1], entries_[k]);
  NotifyChanged();
  return true;
}

void WordList::Clear() {
  entries_.clear();
  NotifyChanged();
}

void WordList::Assign(std::vector<tspi> entries) {
  if (entries.size() > kCapacity) entries.resize(kCapacity);
  entries_ = std::move(entries);
  NotifyChanged();
}

int WordList::Subscribe(std::function<void()> changed) {
  subscribers_.emplace_back(nextSubscription_, std::move(changed));
  return nextSubscription_++;
}

void WordList::Unsubscribe(int subscription) {
  std::erase_if(subscribers_, [subscription](const auto& s) { return s.first == subscription; });
}

void WordList::NotifyChanged() {
  if (held_ > 0) {
    pending_ = true;
    return;
  }
  // A copy: a subscriber may subscribe or unsubscribe while it runs.
  const auto subscribers = subscribers_;
  for (const auto& subscriber : subscribers) subscriber.second();
}

WordList::Batch::~Batch() {
  if (--list_.held_ == 0 && list_.pending_) {
    list_.pending_ = false;
    list_.NotifyChanged();
  }
}

tspi ParseWordLine(std::string_view line) {
  std::array<std::string_view, 7> field{};
  size_t n = 0, start = 0;
  for (; n < kMaxFields; ++n) {
    const size_t tab = line.find('\t', start);
    const std::string_view f =
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (n < field.size()) field[n] = f;
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  tspi e;
  e.word = std::string(field[0]);
  e.pos = PosFromTag(field[1]);
  e.translation = std::string(field[2]);
  e.form2 = std::string(field[3]);
  e.form3 = std::string(field[4]);
  e.form4 = std::string(field[5]);
  if (!field[3].empty() && e.pos != kPosVerb) {
    e.mark = field[3][0];
    e.form2.clear();
  } else {
    e.mark = field[6].empty() ? ' ' : field[6][0];
  }
  return e;
}

std::string FormatWordLine(const tspi& e) {
  std::string line = e.word;
  line += '\t';
  line += PosTag(e.pos);
  line += '\t';
  line += e.translation;
  if (e.pos == kPosVerb) {
    for (const std::string* f : {&e.form2, &e.form3, &e.form4}) {
      line += '\t';
      line += *f;
    }
  }
  if (e.mark == 'z') line += "\tz";
  return line;
}

size_t AppendWordLines(std::string_view bytes, WordList& list) {
  const std::vector<std::string> lines = SplitLines(bytes);
  WordList::Batch batch(list);
  size_t i = 0;
  for (; i < lines.size() && !list.full(); ++i) list.Append(ParseWordLine(lines[i]));
  return lines.size() - i;
}

std::string FormatWordList(const WordList& list) {
  std::string out;
  out.reserve(list.count() * 48);
  for (const tspi& e : list.entries()) {
    out += FormatWordLine(e);
    out += "\r\n";
  }
  return out;
}

size_t LoadWordList(const std::string& path, WordList& list) {
  WordList::Batch batch(list);
  list.Clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw FileError("Cannot open file \"" + path + "\"");
  return AppendWordLines(bytes, list);
}

bool SaveWordList(const std::string& path, const WordList& list) {
  return WriteFileAtomic(path, FormatWordList(list));
}

std::string WithTxtExtension(std::string_view name) {
  std::string out(name);
  if (name.size() < 4 || FoldLower(name.substr(name.size() - 4)) != ".txt") out += ".txt";
  return out;
}

}  // namespace lx
