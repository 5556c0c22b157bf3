#include "reader/transport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lx {

namespace {

constexpr int32_t kFar = 10000000;
constexpr int32_t kSkipMs = 15000;
constexpr int32_t kMarkerReach = 1000;

bool IsPunctuation(char c) { return c == '.' || c == ',' || c == '!' || c == '?' || c == ';'; }

bool IsMarker(char c, std::string_view markers) { return markers.find(c) != std::string_view::npos; }

int32_t TextLength(std::string_view text) { return static_cast<int32_t>(text.size()); }

}  // namespace

int32_t ChooseEntryFor(const ReaderProject& project, int32_t p) {
  int32_t covering = 0;
  for (size_t k = 0; k < project.entries.size(); ++k) {
    const auto& pts = project.entries[k].points;
    if (pts.size() >= 2 && pts.front().textPosition <= p && pts.back().textPosition >= p)
      covering = static_cast<int32_t>(k) + 1;
  }
  if (covering) return covering;
  int32_t best = kFar, chosen = project.currentEntry;
  for (size_t k = 0; k < project.entries.size(); ++k) {
    const auto& pts = project.entries[k].points;
    if (pts.empty()) continue;
    for (int32_t d : {std::abs(pts.back().textPosition - p), std::abs(pts.front().textPosition - p)}) {
      if (d < best) best = d, chosen = static_cast<int32_t>(k) + 1;
    }
  }
  return chosen;
}

int32_t SnappedEnd(const AudioEntry& entry, std::string_view text, int32_t p, int32_t s, int32_t width) {
  const int64_t target = int64_t{s} + width;
  int64_t bestDistance = width;
  int32_t candidate = s;
  // 0-based index of the character just before the caret (the first at offset 0).
  const int32_t from = std::max(0, p - 1);
  for (int32_t i = from; i < TextLength(text); ++i) {
    if (!IsPunctuation(text[static_cast<size_t>(i)])) continue;
    const int32_t k = i + 1;  // counting from 1
    const int32_t t = TextToAudio(entry, p == 0 ? k : k + 1);
    const int64_t d = std::llabs(t - target);
    if (d > bestDistance) break;
    candidate = t;
    bestDistance = d;
  }
  const int64_t apart = std::llabs(int64_t{s} - candidate);
  if (width / 2 < apart && apart < 2 * int64_t{width}) return candidate;
  return static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX));
}

int32_t MarkerEnd(const AudioEntry& entry, std::string_view text, int32_t p, std::string_view markers) {
  const int32_t from = std::max(0, p - 1);
  const int32_t looked = std::clamp(TextLength(text) - from, 0, kMarkerReach + 1);
  for (int32_t i = 1; i <= looked; ++i)
    if (IsMarker(text[static_cast<size_t>(from + i - 1)], markers)) return TextToAudio(entry, p + i + 1);
  return TextToAudio(entry, p + looked + 1);
}

int32_t MarkerStart(const AudioEntry& entry, std::string_view text, int32_t p, std::string_view markers) {
  const int32_t f = std::max(1, p - kMarkerReach);
  for (int32_t j = std::min(p, TextLength(text)); j >= f; --j)
    if (IsMarker(text[static_cast<size_t>(j - 1)], markers)) return TextToAudio(entry, j + 1);
  return TextToAudio(entry, f + 1);
}

Stretch StretchFor(const AudioEntry& entry, std::string_view text, int32_t p, int32_t width, bool markerMode,
                   std::string_view markers) {
  const auto& pts = entry.points;
  Stretch s;
  if (pts.empty()) {
    s = {0, width};
  } else if (pts.size() == 1) {
    s.start = p > pts.front().textPosition ? pts.front().audioMs : 0;
    s.end = s.start + width;
  } else if (markerMode) {
    s.end = MarkerEnd(entry, text, p, markers);
    s.start = MarkerStart(entry, text, p, markers);
  } else {
    s.start = TextToAudio(entry, p);
    s.end = SnappedEnd(entry, text, p, s.start, width);
  }
  return s;
}

Stretch ClampStretch(Stretch s, int32_t lengthMs, int32_t width) {
  auto clamp = [&](int32_t v) {
    if (v < 0) v = 0;
    if (v > lengthMs) v = lengthMs - width;
    return v;
  };
  return {clamp(s.start), clamp(s.end)};
}

int32_t BackTarget(int32_t positionMs) { return positionMs - kSkipMs > 0 ? positionMs - kSkipMs : 0; }

int32_t ForwardTarget(int32_t positionMs, int32_t lengthMs) {
  return int64_t{positionMs} + kSkipMs > lengthMs ? lengthMs : positionMs + kSkipMs;
}

ReaderTransport::ReaderTransport(ReaderProject& project, ReaderStream& stream, TransportView& view,
                                 CanOpenFile canOpen)
    : project_(project), stream_(stream), view_(view), canOpen_(std::move(canOpen)) {}

void ReaderTransport::EndStretch() {
  rangeEnd_ = -1;
  view_.DisarmStretchTimer();
}

void ReaderTransport::OpenRecording(const std::string& path) {
  stream_.Close();
  if (canOpen_(path)) stream_.Open(path);
  EndStretch();
}

void ReaderTransport::OpenCurrentEntry(bool playIfRecording) {
  AudioEntry* entry = project_.current();
  if (!entry) {
    stream_.Close();
    EndStretch();
    return;
  }
  if (entry->available) {
    OpenRecording(entry->path);
    view_.SetSliderMaximum(stream_.LengthSeconds());
    if (playIfRecording && playMode_) stream_.Play();
  }
}

void ReaderTransport::PlayClick() {
  if (audioReady_) {
    stream_.Play();
  } else {
    const AudioEntry* entry = project_.current();
    if (entry && !entry->path.empty() && canOpen_(entry->path)) audioReady_ = true;
    if (!audioReady_) return;
    OpenRecording(entry->path);
    stream_.Play();
    view_.SetSliderMaximum(stream_.LengthSeconds());
  }
  playMode_ = true;
  view_.ShowRecording(true);
  EndStretch();
}

void ReaderTransport::StopClick() {
  if (!audioReady_) return;
  stream_.Stop();
  playMode_ = false;
  view_.ShowRecording(false);
}

void ReaderTransport::ShowCurrentPosition() {
  const int32_t ms = stream_.PositionMs();
  const int32_t seconds = std::min(static_cast<int32_t>(std::nearbyint(ms / 1000.0)), view_.SliderMaximum());
  view_.ShowPosition(seconds, ms);
}

void ReaderTransport::BackClick() {
  if (!audioReady_) return;
  stream_.SetPositionMs(BackTarget(stream_.PositionMs()));
  ShowCurrentPosition();
  if (playMode_) stream_.Play();
}

void ReaderTransport::ForwardClick() {
  if (!audioReady_) return;
  stream_.SetPositionMs(ForwardTarget(stream_.PositionMs(), stream_.LengthMs()));
  ShowCurrentPosition();
  if (playMode_) stream_.Play();
}

void ReaderTransport::SliderMoved(int32_t seconds) {
  if (!audioReady_) return;
  const int32_t ms = static_cast<int32_t>(std::min<int64_t>(int64_t{seconds} * 1000, stream_.LengthMs()));
  stream_.SetPositionMs(ms);
  view_.ShowPositionLabel(ms);
  if (playMode_) stream_.Play();
}

void ReaderTransport::ErrorClick(int32_t selectedRow) {
  if (project_.DeleteControlPoint(selectedRow)) view_.PointsChanged(0);
  BackClick();
}

void ReaderTransport::Timer1Tick() {
  if (!playMode_) return;
  if (audioReady_ && stream_.PositionMs() >= stream_.LengthMs() - 100) {
    playMode_ = false;
    view_.ShowRecording(false);
    EndStretch();
    stream_.Stop();
    stream_.SetPositionMs(0);
  }
  ShowCurrentPosition();
}

void ReaderTransport::Timer3Fired() {
  rangeEnd_ = -1;
  stream_.Stop();
  view_.DisarmStretchTimer();
}

void ReaderTransport::AudiobookDown() {
  audiobookOn = true;
  audioReady_ = false;
  const AudioEntry* entry = project_.current();
  if (entry && !entry->path.empty() && canOpen_(entry->path)) audioReady_ = true;
}

ReaderTransport::ClickResult ReaderTransport::EnglishClick(int32_t p, std::string_view text) {
  if (playMode_) {
    const int32_t row = project_.InsertControlPoint(p, stream_.PositionMs(), text);
    if (row > 0) view_.PointsChanged(static_cast<int32_t>(project_.current()->points.size()));
    return ClickResult::Recorded;
  }
  if (!audiobookOn) return ClickResult::Nothing;
  const int32_t chosen = ChooseEntryFor(project_, p);
  if (chosen != project_.currentEntry && project_.SelectEntry(chosen)) {
    OpenCurrentEntry(false);
    view_.PointsChanged(0);
  }
  const AudioEntry* entry = project_.current();
  static const AudioEntry kNoEntry;
  lastStretch_ = StretchFor(entry ? *entry : kNoEntry, text, p, project_.rangeWidth, markerMode, markers);
  if (audioReady_) PlayStretch(lastStretch_);
  return ClickResult::Played;
}

void ReaderTransport::PlayStretch(Stretch s) {
  s = ClampStretch(s, stream_.LengthMs(), project_.rangeWidth);
  lastStretch_ = s;
  view_.ShowPosition(static_cast<int32_t>(std::nearbyint(s.start / 1000.0)), s.start);
  const AudioEntry* entry = project_.current();
  if (!entry || !entry->available) return;
  stream_.Stop();
  stream_.SetPositionMs(s.start);
  rangeEnd_ = s.end;
  view_.DisarmStretchTimer();
  const int64_t interval = int64_t{s.end} - s.start + 1;
  // An empty or reversed stretch has no timed end: it plays on until stopped.
  if (interval > 0) view_.ArmStretchTimer(static_cast<int32_t>(std::min<int64_t>(interval, INT32_MAX)));
  stream_.Play();
}

}  // namespace lx
