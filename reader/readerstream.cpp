#include "reader/readerstream.h"

#include <algorithm>
#include <cstdint>

namespace lx {

bool AudioReaderStream::Open(const std::string& path) {
  Close();
  handle_ = BASS_StreamCreateFile(false, path, 0, 0, 0);
  if (handle_ == 0) return false;
  const int64_t ms = BytesToMs(handle_, BASS_ChannelGetLength(handle_));
  lengthMs_ = static_cast<int32_t>(std::min<int64_t>(ms, INT32_MAX));
  lengthSeconds_ = lengthMs_ / 1000;
  return true;
}

void AudioReaderStream::Close() {
  if (handle_ != 0) BASS_StreamFree(handle_);
  handle_ = 0;
  lengthMs_ = 0;
  lengthSeconds_ = 0;
}

int32_t AudioReaderStream::PositionMs() const {
  if (handle_ == 0) return 0;
  return static_cast<int32_t>(std::min<int64_t>(BytesToMs(handle_, BASS_ChannelGetPosition(handle_)), INT32_MAX));
}

void AudioReaderStream::SetPositionMs(int32_t ms) { SeekMs(handle_, ms); }

void AudioReaderStream::Play() {
  if (handle_ != 0) BASS_ChannelPlay(handle_, false);
}

void AudioReaderStream::Stop() {
  if (handle_ != 0) BASS_ChannelStop(handle_);
}

}  // namespace lx
