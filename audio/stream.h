#pragma once
// One playing stream: a decoder, conversion to the device rate, and the position of
// the last frame handed to the output. Not thread-safe: the caller holds the lock
// shared with the output thread.
#include <samplerate.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "decoder.h"

namespace lx::audio {

class Stream {
 public:
  Stream(std::unique_ptr<Decoder> decoder, int outputRate);
  ~Stream();
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  int rate() const { return decoder_->rate(); }
  int channels() const { return decoder_->channels(); }
  uint64_t lengthFrames() const { return decoder_->frames(); }
  uint64_t frameBytes() const { return 2u * static_cast<uint64_t>(channels()); }

  uint64_t PositionFrames() const;
  void Seek(uint64_t frame);
  void Play(bool restart);
  void Stop();
  bool playing() const { return playing_; }
  std::optional<std::chrono::steady_clock::time_point> firstMixed() const { return firstMixed_; }

  // Adds up to `frames` stereo frames at the output rate to `mix`; stops the stream
  // when its file ends.
  void MixInto(float* mix, size_t frames, std::chrono::steady_clock::time_point now);

 private:
  // Fills `out` with up to `want` frames at the output rate, in the working channel
  // count (1 or 2); 0 once the file is exhausted.
  size_t Produce(float* out, size_t want);
  // Decodes the next piece of the file into in_; false at the end of the file.
  bool Decode();

  std::unique_ptr<Decoder> decoder_;
  int outputRate_;
  int work_;  // working channels: 1 or 2
  SRC_STATE* src_ = nullptr;  // null when the rates match
  bool playing_ = false;
  uint64_t base_ = 0;        // frame of the latest seek
  uint64_t decodedTo_ = 0;   // frame after the last one decoded
  uint64_t outFrames_ = 0;   // output frames produced since the latest seek
  bool decoderDone_ = false;
  std::vector<int16_t> raw_;
  std::vector<float> in_;
  size_t inOffset_ = 0, inAvail_ = 0;
  std::vector<float> out_;
  std::optional<std::chrono::steady_clock::time_point> firstMixed_;
};

}  // namespace lx::audio
