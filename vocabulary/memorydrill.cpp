#include "vocabulary/memorydrill.h"

#include <algorithm>

#include "app/core/foldcase.h"

namespace lx {

namespace {

const std::string kIndent(13, ' ');

void Line(PanePieces& out, PanePieces pieces) {
  if (pieces.empty()) pieces.push_back({});
  pieces.back().lineEnd = true;
  out.insert(out.end(), std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end()));
}

}  // namespace

MemorySizeText ParseMemorySize(std::string_view text) {
  MemorySizeText out;
  for (char c : text)
    if (c >= '0' && c <= '9') out.digits += c;
  if (out.digits.empty()) return out;
  long long value = 0;
  for (char c : out.digits) {
    value = value * 10 + (c - '0');
    if (value > MemoryDrill::kMaxMemorySize) break;
  }
  out.value = static_cast<int>(std::clamp<long long>(value, 1, MemoryDrill::kMaxMemorySize));
  return out;
}

int MemoryDrill::Pick(int w, bool random, const DrawFn& draw) const {
  if (!random) {
    const int a = recent_[0] + 1;
    return a > w ? 1 : a;
  }
  if (w <= 1) return 1;
  // How many recent picks the new one must differ from.
  const int avoid = w <= 3 ? 1 : (w == 4 ? 2 : 3);
  for (;;) {
    const int a = 1 + draw(w);
    if (std::find(recent_.begin(), recent_.begin() + avoid, a) == recent_.begin() + avoid) return a;
  }
}

bool MemoryDrill::Next(const WordList& list, bool random, const DrawFn& draw) {
  workingSet_.clear();
  const size_t limit = std::min<size_t>(static_cast<size_t>(std::max(memorySize_, 0)), kMaxWorkingSet);
  for (size_t k = 1; k <= list.count() && workingSet_.size() < limit; ++k)
    if (list.at(k).mark == ' ') workingSet_.push_back({k, list.at(k)});
  const int w = static_cast<int>(workingSet_.size());
  if (w == 0) {
    current_ = tspi{};
    return false;
  }
  const int a = Pick(w, random, draw);
  recent_ = {a, recent_[0], recent_[1]};
  current_ = workingSet_[static_cast<size_t>(a - 1)].entry;
  return true;
}

std::optional<size_t> MemoryDrill::Known(WordList& list) const {
  const int a = recent_[0];
  if (a < 1 || static_cast<size_t>(a) > workingSet_.size()) return std::nullopt;
  const WorkingWord& picked = workingSet_[static_cast<size_t>(a - 1)];
  const size_t position = picked.position;
  // The list may have changed since the pick (a sort, a deletion): never mark
  // another word than the one shown.
  if (position > list.count() || list.at(position).word != picked.entry.word) return std::nullopt;
  list.at(position).mark = 'z';
  list.NotifyChanged();
  return position;
}

PanePieces MemoryDrill::WordBlock() const {
  PanePieces out;
  for (int i = 0; i < 3; ++i) Line(out, {});
  Line(out, {{kIndent, 3}, {current_.word, 1}});
  Line(out, {});
  return out;
}

MemoryDrill::Answer MemoryDrill::MakeAnswer(
    const WordList& list, const SoundIndex& sounds, const DictTable& dict,
    const std::function<std::optional<int>(std::string_view)>& findHeadword) const {
  Answer answer;
  Line(answer.lines, {});
  const std::string& word = current_.word;
  if (!word.empty()) {
    const bool letter = word.size() == 1 && word != "a" && !(word[0] >= '0' && word[0] <= '9');
    answer.key = letter ? FoldUpper(word) + FoldLower(word) : word;
    answer.speak = letter;
    std::erase(answer.key, ':');
    answer.soundEntry = sounds.FindWord(answer.key);
    const std::optional<int> record = findHeadword(FoldLower(answer.key));
    const std::string transcription = record ? dict.record(*record).transcription : std::string();
    // The transcription line stays open; the first empty line below closes it.
    answer.lines.push_back({kIndent, 3});
    answer.lines.push_back({"[" + transcription + "]", 5});
  }
  Line(answer.lines, {});
  Line(answer.lines, {});
  for (const tspi& e : list.entries()) {
    if (e.word != word) continue;
    if (e.pos != kPosNone)
      Line(answer.lines, {{kIndent, 3}, {e.translation + "      ", 3}, {"(" + std::string(PosTag(e.pos)) + ")", 6}});
    else
      Line(answer.lines, {{kIndent, 3}, {e.translation, 3}});
    if (e.pos == kPosVerb && !(e.form2.empty() && e.form3.empty() && e.form4.empty()))
      Line(answer.lines, {{kIndent, 3}, {e.form2, 1}, {" | ", 3}, {e.form3, 1}, {" | ", 3}, {e.form4, 1}});
  }
  return answer;
}

}  // namespace lx
