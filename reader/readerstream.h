#pragma once
// The reader's audiobook stream over the program's audio library: a stream of its
// own, mixed with the sound service's channel, so both can sound at once.
#include "audio/audio.h"
#include "reader/transport.h"

namespace lx {

class AudioReaderStream : public ReaderStream {
 public:
  ~AudioReaderStream() override { Close(); }
  bool Open(const std::string& path) override;
  void Close() override;
  bool isOpen() const override { return handle_ != 0; }
  int32_t LengthMs() const override { return lengthMs_; }
  int32_t LengthSeconds() const override { return lengthSeconds_; }
  int32_t PositionMs() const override;
  void SetPositionMs(int32_t ms) override;
  void Play() override;
  void Stop() override;
  AudioHandle handle() const { return handle_; }

 private:
  AudioHandle handle_ = 0;
  int32_t lengthMs_ = 0;
  int32_t lengthSeconds_ = 0;
};

}  // namespace lx
