#pragma once
// The sound index: every pronounceable word with the stretch of a recording that
// holds it (data\words.txt, one TAB-separated entry per line).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lx {

struct tsou {
  std::string word;
  std::string transcription;
  std::string file;  // relative to "data\"
  int32_t start = 0;  // milliseconds
  int32_t end = 0;
};

class SoundIndex {
 public:
  static constexpr int kInitialReserve = 3600;
  static constexpr int kGrowStep = 1000;

  // Parses the file's bytes. A fourth or fifth field that is not an integer raises
  // ConvertError; the entries before that line stay loaded.
  void Load(std::string_view bytes);
  void Clear();

  int count() const { return static_cast<int>(entries_.size()); }
  int reserved() const { return reserved_; }
  // Entry n, numbered from 1.
  const tsou& entry(int n) const { return entries_[static_cast<size_t>(n - 1)]; }
  void Append(tsou entry);

  // Number of the first entry whose word (or transcription) equals the key byte for
  // byte, or 0.
  int FindWord(std::string_view word) const;
  int FindTranscription(std::string_view transcription) const;

  std::string Serialize() const;

 private:
  std::vector<tsou> entries_;
  int reserved_ = kInitialReserve;
};

// One words.txt line into an entry; missing fields stay empty or 0.
tsou ParseSoundLine(std::string_view line);

}  // namespace lx
