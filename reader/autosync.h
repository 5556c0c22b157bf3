#pragma once
// The job behind "Синхронизировать автоматически": speaks the English text with
// espeak-ng, reads the audiobook, warps one onto the other and returns a control
// point per sentence, or a message in Russian saying why there is none.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lx {

// An espeak-ng voice. The library keeps one state per process: voices speak one at a
// time (a lock serialises them).
struct SynthVoice {
  std::string name = "en-gb-x-rp";
  int wordsPerMinute = 160;
  int pitch = 50;  // 0-100
};

// Speaks `utf8` and appends its samples, trimmed of leading and trailing silence.
// False when the library or the voice cannot start.
bool SpeakTrimmed(const SynthVoice& voice, const std::string& utf8, std::vector<int16_t>& out);
// Sample rate of the synthesiser's output (0 when it cannot start).
int SynthRate();

struct AutoSyncPoint {
  int32_t textPosition = 0;
  int32_t audioMs = 0;
};

struct AutoSyncResult {
  bool ok = false;
  bool cancelled = false;
  std::string message;  // UTF-8, Russian; empty when ok or cancelled
  std::vector<AutoSyncPoint> points;  // ascending in both positions
  double matchRatio = 0;  // path cost over the path cost to the reversed recording
};

struct AutoSyncControl {
  std::atomic<bool> cancel{false};
  std::atomic<int> percent{0};
};

// Control points for the English text (Windows-1251 bytes as the pane counts them)
// and the recording at `audioPath`: one per sentence start, and one at the end of the
// last sentence. Runs on any thread.
AutoSyncResult ComputeControlPoints(std::string_view englishText, const std::string& audioPath,
                                    AutoSyncControl& control, const SynthVoice& voice = {});

}  // namespace lx
