#pragma once
// Practice 1 and 2 as drills over the sound index: the mode, the item on show and
// what the next and answer keys do. Each step says how the picture area changes,
// which recording to play and which word to look up; the window carries it out.
#include <cstdint>
#include <random>
#include <string>

#include "app/core/soundindex.h"

namespace lx {

// The draws of a drill: the generator is seeded again before every item.
class ItemRandom {
 public:
  virtual ~ItemRandom() = default;
  virtual void Reseed() = 0;
  // Uniform over [from, to].
  virtual int32_t Draw(int32_t from, int32_t to) = 0;
};

// The running program's draws: reseeded from the clock.
class ClockItemRandom : public ItemRandom {
 public:
  void Reseed() override;
  int32_t Draw(int32_t from, int32_t to) override;

 private:
  std::mt19937 generator_;
};

// A stretch of a recording; `file` is relative to "data\" and empty for none.
struct SoundStretch {
  std::string file;
  int32_t from = 0;
  int32_t to = 0;
};

// One step's effect on the window. Texts are Windows-1251.
struct DrillStep {
  bool clearPicture = false;
  std::string word;           // drawn in blue at the word's place, when not empty
  std::string transcription;  // drawn in red at the transcription's place, when not empty
  SoundStretch sound;         // played when its file is not empty
  std::string lookUp;         // put into the dictionary and looked up, when not empty
  bool lookUpSpeaks = false;  // the lookup may pronounce the word
};

// The word and recording of entry n; a number outside the index is an empty entry.
const tsou& EntryOrEmpty(const SoundIndex& index, int n);

// Practice 1: read a sound's code or a word's transcription, then hear it.
class Practice1Drill {
 public:
  enum class Mode { Sounds, Words };
  static constexpr int kLastWordEntry = 3388;

  explicit Practice1Drill(const SoundIndex& index) : index_(index) {}

  void SetMode(Mode mode) { mode_ = mode; }
  Mode mode() const { return mode_; }
  // Reseeds `random`, then draws the item.
  DrillStep Next(ItemRandom& random);
  DrillStep Answer() const;

  const std::string& shownWord() const { return shownWord_; }
  const std::string& shownTranscription() const { return shownTranscription_; }
  const SoundStretch& sound() const { return sound_; }

 private:
  const SoundIndex& index_;
  Mode mode_ = Mode::Sounds;
  std::string shownWord_;
  std::string shownTranscription_;
  SoundStretch sound_;
};

// Practice 2: read a word, then see its transcription and hear it; or hear a word,
// as often as wanted, then see how it is written.
class Practice2Drill {
 public:
  enum class Mode { Read, Listen };
  static constexpr int kLastEntry = 1311;

  explicit Practice2Drill(const SoundIndex& index) : index_(index) {}

  // Changing the mode keeps the word and a word still to be revealed.
  void SetMode(Mode mode) { mode_ = mode; }
  Mode mode() const { return mode_; }
  // Reseeds `random`, then draws the item.
  DrillStep Next(ItemRandom& random);
  DrillStep Answer();

  int currentEntry() const { return currentEntry_; }
  bool listenPending() const { return listenPending_; }

 private:
  const SoundIndex& index_;
  Mode mode_ = Mode::Read;
  int currentEntry_ = 0;
  bool listenPending_ = false;
};

}  // namespace lx
