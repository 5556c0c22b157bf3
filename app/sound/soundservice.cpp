#include "soundservice.h"

#include <limits>
#include <set>
#include <vector>

namespace lx {

SoundService::SoundService(const SoundIndex& index, DataDir dataDir, QObject* parent)
    : QObject(parent), index_(index), dataDir_(std::move(dataDir)), timer1_(this) {
  setObjectName("SoundService");
  timer1_.setObjectName("Timer1");
  // A coarse timer may fire 5% late: far too late for a word's end mark.
  timer1_.setTimerType(Qt::PreciseTimer);
  connect(&timer1_, &QTimer::timeout, this, &SoundService::Timer1Timer);
}

uint32_t SoundService::StopInterval(int32_t start, int32_t end) {
  return static_cast<uint32_t>(end) - static_cast<uint32_t>(start) + 1u;
}

void SoundService::playsounds(const std::string& path, int32_t start, int32_t end) {
  if (audioChannel_ != 0) {
    BASS_ChannelStop(audioChannel_);
    BASS_StreamFree(audioChannel_);
  }
  audioChannel_ = 0;
  audioChannel_ = BASS_StreamCreateFile(false, path, 0, 0, 0);
  SeekMs(audioChannel_, start);
  BASS_ChannelPlay(audioChannel_, false);
  // Stopping first restarts the countdown, so an earlier sound's stop never cuts this one.
  timer1_.stop();
  const uint32_t interval = StopInterval(start, end);
  timer1_.setInterval(static_cast<int>(std::min<uint32_t>(interval, std::numeric_limits<int>::max())));
  if (interval != 0 && interval <= static_cast<uint32_t>(std::numeric_limits<int>::max())) timer1_.start();
}

void SoundService::PrepareRecordings() const {
  std::vector<std::string> paths;
  std::set<std::string> seen;
  for (int n = 1; n <= index_.count(); ++n) {
    const std::string& file = index_.entry(n).file;
    if (!file.empty() && seen.insert(file).second) paths.push_back(dataDir_.Path("data\\" + file));
  }
  lx::PrepareRecordings(std::move(paths));
}

void SoundService::playnums(int n) {
  if (n < 1 || n > index_.count()) return;
  const tsou& e = index_.entry(n);
  playsounds(dataDir_.Path("data\\" + e.file), e.start, e.end);
}

void SoundService::playwords(std::string_view word) {
  const int n = index_.FindWord(word);
  if (n != 0) playnums(n);
}

void SoundService::Timer1Timer() {
  BASS_ChannelStop(audioChannel_);
  timer1_.stop();
}

}  // namespace lx
