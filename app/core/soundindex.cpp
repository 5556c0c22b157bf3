#include "soundindex.h"

#include <algorithm>

#include "errors.h"
#include "textfile.h"

namespace lx {

tsou ParseSoundLine(std::string_view line) {
  const auto fields = SplitFields(line, '\t');
  tsou e;
  e.word = fields[0];
  if (fields.size() > 1) e.transcription = fields[1];
  if (fields.size() > 2) e.file = fields[2];
  if (fields.size() > 3) e.start = StrToInt(fields[3]);
  if (fields.size() > 4) e.end = StrToInt(fields[4]);
  return e;
}

void SoundIndex::Clear() {
  entries_.clear();
  reserved_ = kInitialReserve;
}

void SoundIndex::Append(tsou entry) {
  // The nominal room grows in steps of 1,000 once fewer than 10 free places would
  // remain; the storage itself at least doubles, so loading stays linear in the file.
  if (count() + 1 > reserved_ - 10) reserved_ += kGrowStep;
  if (entries_.capacity() < static_cast<size_t>(reserved_))
    entries_.reserve(std::max(static_cast<size_t>(reserved_), 2 * entries_.capacity()));
  entries_.push_back(std::move(entry));
}

void SoundIndex::Load(std::string_view bytes) {
  Clear();
  entries_.reserve(reserved_);
  ForEachLine(bytes, [this](std::string_view line) { Append(ParseSoundLine(line)); });
}

int SoundIndex::FindWord(std::string_view word) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].word == word) return static_cast<int>(i + 1);
  return 0;
}

int SoundIndex::FindTranscription(std::string_view transcription) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].transcription == transcription) return static_cast<int>(i + 1);
  return 0;
}

std::string SoundIndex::Serialize() const {
  std::string out;
  for (const auto& e : entries_) {
    out += e.word + '\t' + e.transcription + '\t' + e.file + '\t' + std::to_string(e.start) + '\t' +
           std::to_string(e.end) + "\r\n";
  }
  return out;
}

}  // namespace lx
