#include "drills/worddrill.h"

#include <chrono>

#include "app/core/foldcase.h"
#include "lessons/phonemetable.h"

namespace lx {

void ClockItemRandom::Reseed() {
  generator_.seed(static_cast<std::mt19937::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));
}

int32_t ClockItemRandom::Draw(int32_t from, int32_t to) {
  return std::uniform_int_distribution<int32_t>(from, to)(generator_);
}

const tsou& EntryOrEmpty(const SoundIndex& index, int n) {
  static const tsou kEmpty;
  if (n < 1 || n > index.count()) return kEmpty;
  return index.entry(n);
}

namespace {

SoundStretch StretchOf(const tsou& entry) {
  if (entry.file.empty()) return {};
  return {entry.file, entry.start, entry.end};
}

std::string Bracketed(const std::string& transcription) { return "[" + transcription + "]"; }

}  // namespace

DrillStep Practice1Drill::Next(ItemRandom& random) {
  random.Reseed();
  shownWord_.clear();
  shownTranscription_.clear();
  if (mode_ == Mode::Sounds) {
    const Phoneme* sound = PhonemeTable::Number(random.Draw(1, PhonemeTable::kCount));
    shownTranscription_ = sound ? sound->code : "";
    sound_ = StretchOf(EntryOrEmpty(index_, sound ? sound->entry : 0));
  } else {
    const int n = random.Draw(1, kLastWordEntry);
    const tsou& entry = EntryOrEmpty(index_, n);
    // An entry beyond a shorter index shows and plays nothing.
    if (n <= index_.count()) {
      shownWord_ = entry.word;
      shownTranscription_ = Bracketed(entry.transcription);
    }
    sound_ = StretchOf(entry);
  }
  DrillStep step;
  step.clearPicture = true;
  step.word = shownWord_;
  step.transcription = shownTranscription_;
  return step;
}

DrillStep Practice1Drill::Answer() const {
  DrillStep step;
  step.sound = sound_;
  return step;
}

DrillStep Practice2Drill::Next(ItemRandom& random) {
  random.Reseed();
  DrillStep step;
  step.clearPicture = true;
  if (mode_ == Mode::Read) {
    currentEntry_ = random.Draw(1, kLastEntry);
    step.word = EntryOrEmpty(index_, currentEntry_).word;
    return step;
  }
  // Until the word is revealed, the next key plays the same word again.
  if (!listenPending_) {
    currentEntry_ = random.Draw(1, kLastEntry);
    listenPending_ = true;
  }
  step.sound = StretchOf(EntryOrEmpty(index_, currentEntry_));
  return step;
}

DrillStep Practice2Drill::Answer() {
  listenPending_ = false;
  const tsou& entry = EntryOrEmpty(index_, currentEntry_);
  if (entry.word.empty()) return {};
  DrillStep step;
  step.transcription = Bracketed(entry.transcription);
  step.lookUp = FoldLower(entry.word);
  if (mode_ == Mode::Read) {
    // Below the word already shown; the dictionary pronounces it.
    step.lookUpSpeaks = true;
  } else {
    step.clearPicture = true;
    step.word = entry.word;
  }
  return step;
}

}  // namespace lx
