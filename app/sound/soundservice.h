#pragma once
// The sound service: plays a stretch of a recording on the one shared channel and
// stops it at the end mark with the stop timer `Timer1`.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/core/datadir.h"
#include "app/core/soundindex.h"
#include "audio/audio.h"

namespace lx {

class SoundService : public QObject {
  Q_OBJECT
 public:
  // `index` must outlive the service.
  SoundService(const SoundIndex& index, DataDir dataDir, QObject* parent = nullptr);

  // Plays the file at `path` (a native path) from `start` to `end` milliseconds; an
  // earlier sound is cut off at once.
  void playsounds(const std::string& path, int32_t start, int32_t end);
  // Plays entry n (from 1) of the sound index; a number outside the index plays nothing.
  void playnums(int n);
  // Plays the first entry whose word equals `word` byte for byte; nothing if none.
  void playwords(std::string_view word);

  // Starts scanning every recording the index names, in the background.
  void PrepareRecordings() const;

  // The handle of the currently open stream; 0 when none is open or the last open failed.
  AudioHandle AudioChannel() const { return audioChannel_; }
  QTimer* Timer1() { return &timer1_; }

  // The stop timer's interval: end - start + 1 as an unsigned 32-bit count. 0, and
  // counts too large for a timer, schedule no stop.
  static uint32_t StopInterval(int32_t start, int32_t end);

  // Stop timer tick: halts the channel (its position stays) and disables the timer.
  void Timer1Timer();

 private:
  const SoundIndex& index_;
  DataDir dataDir_;
  AudioHandle audioChannel_ = 0;
  QTimer timer1_;
};

}  // namespace lx
