#pragma once
// Decoders that read a recording from disk a piece at a time as 16-bit frames:
// libmpg123 for MP3 (gapless, exact length by scanning) and libsndfile for WAV and
// the other formats it knows.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lx::audio {

class Decoder {
 public:
  virtual ~Decoder() = default;
  int rate() const { return rate_; }
  int channels() const { return channels_; }
  // Length in frames of the decoded stream.
  uint64_t frames() const { return frames_; }
  // Moves the read position to `frame` (clamped to the length).
  virtual bool Seek(uint64_t frame) = 0;
  // Reads up to `count` interleaved frames; fewer (0 at the end) when the file ends.
  virtual size_t Read(int16_t* out, size_t count) = 0;

 protected:
  int rate_ = 0;
  int channels_ = 0;
  uint64_t frames_ = 0;
};

// Opens the file at `path` (a native path), choosing the decoder by content. Null
// when the file is missing, empty, or holds no audio either library accepts. The
// decoder starts at frame 0. A freed MP3 decoder is kept (a few at most, with their
// files open) and serves the next open of the same file while its size, times and
// inode are unchanged, so only the first play of a file scans it.
std::unique_ptr<Decoder> OpenDecoder(const std::string& path);

// Opens and scans the MP3 file at `path` and keeps its decoder for the file's first
// play, unless one is kept already. Files that are not MP3 are left alone. Any thread.
void PrepareMp3(const std::string& path);
// How many scanned MP3 decoders are kept.
size_t KeptMp3Count();

// True when `head` (the first bytes of a file) starts with an ID3v2 tag or with two
// consecutive consistent MPEG audio frame headers.
bool LooksLikeMpegAudio(const unsigned char* head, size_t size);

}  // namespace lx::audio
