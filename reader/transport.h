#pragma once
// Audio-synchronised reading: the stretch of the audiobook a click in the English
// text plays, the recording of control points while the book plays on, and the
// transport (play, stop, back, forward, the slider and the two timers). Plain C++:
// the window supplies the stream and shows what the transport reports.
#include <cstdint>
#include <string>
#include <string_view>

#include "reader/project.h"

namespace lx {

// The markers "Озвучивать по маркерам" starts with: ; . ! ? : and the double quote.
inline constexpr std::string_view kDefaultMarkers = ";.!?:\"";

struct Stretch {
  int32_t start = 0;
  int32_t end = 0;
  bool operator==(const Stretch&) const = default;
};

// The entry a click at p plays from (1-based): the last entry whose points cover p,
// else the entry whose first or last point is nearest, else `current`.
int32_t ChooseEntryFor(const ReaderProject& project, int32_t p);

// The stretch for a click at p in `entry`. `text` is the English pane text (CR LF as
// two characters); `width` is RangeWidth; `markers` are used when `markerMode` is on.
Stretch StretchFor(const AudioEntry& entry, std::string_view text, int32_t p, int32_t width, bool markerMode,
                   std::string_view markers);
// The end snapped to the punctuation mark whose audio position is nearest to s + width.
int32_t SnappedEnd(const AudioEntry& entry, std::string_view text, int32_t p, int32_t s, int32_t width);
int32_t MarkerEnd(const AudioEntry& entry, std::string_view text, int32_t p, std::string_view markers);
int32_t MarkerStart(const AudioEntry& entry, std::string_view text, int32_t p, std::string_view markers);
// The stretch kept inside a recording of `lengthMs`: below 0 to 0, beyond the length
// to the length minus the width.
Stretch ClampStretch(Stretch s, int32_t lengthMs, int32_t width);

// The seek targets of the back and forward buttons.
int32_t BackTarget(int32_t positionMs);
int32_t ForwardTarget(int32_t positionMs, int32_t lengthMs);

// The reader's own audio stream (separate from the sound service's channel).
class ReaderStream {
 public:
  virtual ~ReaderStream() = default;
  // Closes the open stream, then opens `path`; false when it cannot be opened.
  virtual bool Open(const std::string& path) = 0;
  virtual void Close() = 0;
  virtual bool isOpen() const = 0;
  virtual int32_t LengthMs() const = 0;
  virtual int32_t LengthSeconds() const = 0;
  virtual int32_t PositionMs() const = 0;
  virtual void SetPositionMs(int32_t ms) = 0;
  virtual void Play() = 0;  // continues from the current position
  virtual void Stop() = 0;  // keeps the position
};

// What the transport asks its window to show.
class TransportView {
 public:
  virtual ~TransportView() = default;
  virtual void ShowRecording(bool shown) = 0;  // "Идет запись контрольных точек" and "Ошибка"
  virtual void SetSliderMaximum(int32_t seconds) = 0;
  // The slider at `seconds` and the position label at `ms`; the slider's change
  // handler must not seek meanwhile (TrackFollow).
  virtual void ShowPosition(int32_t seconds, int32_t ms) = 0;
  virtual void ShowPositionLabel(int32_t ms) = 0;
  virtual int32_t SliderMaximum() const = 0;
  // The one-shot timer that ends a stretch.
  virtual void ArmStretchTimer(int32_t intervalMs) = 0;
  virtual void DisarmStretchTimer() = 0;
  // The control-point table changed; `cursorRow` is the row to select (0: keep).
  virtual void PointsChanged(int32_t cursorRow) = 0;
};

using CanOpenFile = std::function<bool(const std::string&)>;

class ReaderTransport {
 public:
  ReaderTransport(ReaderProject& project, ReaderStream& stream, TransportView& view,
                  CanOpenFile canOpen = FileCanBeOpened);

  bool audioReady() const { return audioReady_; }
  bool playMode() const { return playMode_; }
  int32_t rangeEnd() const { return rangeEnd_; }
  void SetAudioReady(bool ready) { audioReady_ = ready; }
  bool markerMode = false;
  std::string markers{kDefaultMarkers};
  bool audiobookOn = true;  // SpeedButton14 down

  // Opens the current entry's recording when it is available, sets the slider's
  // maximum, and plays at once in Recording when `playIfRecording`.
  void OpenCurrentEntry(bool playIfRecording);
  // The entry's file opens as the stream; ends a stretch.
  void OpenRecording(const std::string& path);

  void PlayClick();      // SpeedButton1
  void StopClick();      // SpeedButton2
  void BackClick();      // SpeedButton4
  void ForwardClick();   // SpeedButton3
  void SliderMoved(int32_t seconds);  // TrackBar1Change while TrackFollow
  void ErrorClick(int32_t selectedRow);  // "Ошибка": delete the selected point, then back
  void Timer1Tick();
  void Timer3Fired();
  // SpeedButton14 pressed down: AudioReady again when the current file opens.
  void AudiobookDown();

  // The audio part of a click at p in the English text (the caller has synchronised
  // the panes and picked the word): records a point in Recording, else plays the
  // stretch. Returns the stretch played (start, end) or nothing when a point was recorded.
  enum class ClickResult { Recorded, Played, Nothing };
  ClickResult EnglishClick(int32_t p, std::string_view text);
  Stretch lastStretch() const { return lastStretch_; }

  void ShowCurrentPosition();

 private:
  void PlayStretch(Stretch s);
  void EndStretch();

  ReaderProject& project_;
  ReaderStream& stream_;
  TransportView& view_;
  CanOpenFile canOpen_;
  int32_t rangeEnd_ = -1;
  bool audioReady_ = false;
  bool playMode_ = false;
  Stretch lastStretch_;
};

}  // namespace lx
