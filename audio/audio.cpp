#include "audio.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <sys/resource.h>
#include <sys/syscall.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "decoder.h"
#include "stream.h"

namespace lx {

namespace {

using audio::Stream;

constexpr int kDefaultRate = 44100;

struct Output {
  std::mutex mutex;  // guards streams and every stream's state
  std::map<AudioHandle, std::unique_ptr<Stream>> streams;
  AudioHandle nextHandle = 1;
  SDL_AudioDeviceID device = 0;
  bool dummyDriver = false;  // opened through SDL_AudioInit("dummy")
  bool subsystem = false;    // SDL_InitSubSystem(SDL_INIT_AUDIO) succeeded
  int rate = 0;
  int bufferFrames = 0;
  std::vector<float> mix;
};

Output& Out() {
  static Output* out = new Output;  // lives until the process ends
  return *out;
}

// Sends the process's stderr to /dev/null while a back end starts: sound servers and
// ALSA print their complaints there.
class QuietStderr {
 public:
  QuietStderr() {
    saved_ = ::dup(2);
    const int null = ::open("/dev/null", O_WRONLY);
    if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
    if (null >= 0) ::close(null);
  }
  ~QuietStderr() {
    if (saved_ >= 0) {
      ::dup2(saved_, 2);
      ::close(saved_);
    }
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

void SilentLog(void*, int, SDL_LogPriority, const char*) {}

void Mix(void*, Uint8* bytes, int len) {
  Output& out = Out();
  auto* samples = reinterpret_cast<int16_t*>(bytes);
  size_t frames = static_cast<size_t>(len) / 4;
  const auto now = std::chrono::steady_clock::now();
  std::lock_guard lock(out.mutex);
  while (frames > 0) {
    const size_t n = std::min(frames, out.mix.size() / 2);
    std::fill_n(out.mix.data(), n * 2, 0.0f);
    for (auto& [handle, stream] : out.streams)
      if (stream->playing()) stream->MixInto(out.mix.data(), n, now);
    for (size_t i = 0; i < n * 2; ++i) {
      const float v = std::clamp(out.mix[i] * 32768.0f, -32768.0f, 32767.0f);
      samples[i] = static_cast<int16_t>(std::lrint(v));
    }
    samples += n * 2;
    frames -= n;
  }
}

SDL_AudioDeviceID OpenDevice(int freq, SDL_AudioSpec& have) {
  SDL_AudioSpec want{};
  want.freq = freq;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  // A buffer of 10 ms: short enough for a click to sound at once, and a whole number
  // of milliseconds so timed back ends keep real time.
  want.samples = static_cast<Uint16>(std::max(64, freq / 100));
  want.callback = Mix;
  return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

Stream* Find(AudioHandle handle) {
  auto& streams = Out().streams;
  auto it = streams.find(handle);
  return it == streams.end() ? nullptr : it->second.get();
}

}  // namespace

bool BASS_Init(int, uint32_t freq, uint32_t, void*, const void*) {
  Output& out = Out();
  if (out.device) return true;
  const int rate = freq >= 8000 && freq <= 192000 ? static_cast<int>(freq) : kDefaultRate;
  QuietStderr quiet;
  SDL_LogSetOutputFunction(SilentLog, nullptr);
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_AudioSpec have{};
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    out.subsystem = true;
    out.device = OpenDevice(rate, have);
    if (!out.device) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      out.subsystem = false;
    }
  }
  if (!out.device && SDL_AudioInit("dummy") == 0) {
    out.dummyDriver = true;
    out.device = OpenDevice(rate, have);
    if (!out.device) {
      SDL_AudioQuit();
      out.dummyDriver = false;
    }
  }
  SDL_ClearError();
  if (!out.device) return false;
  out.rate = have.freq;
  out.bufferFrames = have.samples;
  out.mix.assign(2 * static_cast<size_t>(std::max<int>(have.samples, 1024)), 0.0f);
  SDL_PauseAudioDevice(out.device, 0);
  return true;
}

bool BASS_Start() {
  Output& out = Out();
  if (!out.device) return false;
  SDL_PauseAudioDevice(out.device, 0);
  return true;
}

void BASS_Free() {
  Output& out = Out();
  if (out.device) SDL_CloseAudioDevice(out.device);  // waits for the output thread
  out.device = 0;
  if (out.dummyDriver) SDL_AudioQuit();
  if (out.subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  out.dummyDriver = out.subsystem = false;
  out.rate = out.bufferFrames = 0;
  std::map<AudioHandle, std::unique_ptr<Stream>> gone;
  {
    std::lock_guard lock(out.mutex);
    gone.swap(out.streams);
  }
}

AudioHandle BASS_StreamCreateFile(bool fromMemory, const std::string& path, uint64_t, uint64_t, uint32_t) {
  if (fromMemory) return 0;
  Output& out = Out();
  if (!out.device) BASS_Init(-1, kDefaultRate, 0, nullptr, nullptr);
  // Opening and scanning happen outside the lock so the output never waits for them.
  auto decoder = audio::OpenDecoder(path);
  if (!decoder) return 0;
  auto stream = std::make_unique<Stream>(std::move(decoder), out.rate > 0 ? out.rate : kDefaultRate);
  std::lock_guard lock(out.mutex);
  const AudioHandle handle = out.nextHandle++;
  if (out.nextHandle == 0) out.nextHandle = 1;
  out.streams.emplace(handle, std::move(stream));
  return handle;
}

bool BASS_StreamFree(AudioHandle handle) {
  std::unique_ptr<Stream> gone;
  Output& out = Out();
  std::lock_guard lock(out.mutex);
  auto it = out.streams.find(handle);
  if (it == out.streams.end()) return false;
  gone = std::move(it->second);
  out.streams.erase(it);
  return true;
}

uint64_t BASS_ChannelGetLength(AudioHandle handle) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  return s ? s->lengthFrames() * s->frameBytes() : 0;
}

double BASS_ChannelBytes2Seconds(AudioHandle handle, uint64_t bytes) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s) return 0.0;
  return static_cast<double>(bytes / s->frameBytes()) / s->rate();
}

uint64_t BASS_ChannelSeconds2Bytes(AudioHandle handle, double seconds) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s || !(seconds > 0.0)) return 0;
  // The small bias keeps a time given in decimal (0.01 s) from losing a frame.
  const double frames = std::floor(seconds * s->rate() + 1e-6);
  if (frames >= 1.8e19) return UINT64_MAX / s->frameBytes() * s->frameBytes();
  return static_cast<uint64_t>(frames) * s->frameBytes();
}

uint64_t MsToBytes(AudioHandle handle, int64_t ms) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s || ms <= 0) return 0;
  const auto frames = static_cast<uint64_t>(ms) * static_cast<uint64_t>(s->rate()) / 1000u;
  return frames * s->frameBytes();
}

int64_t BytesToMs(AudioHandle handle, uint64_t bytes) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s) return 0;
  const uint64_t frames = bytes / s->frameBytes();
  // frames * 1000 / rate without overflow for any 64-bit count.
  const uint64_t rate = static_cast<uint64_t>(s->rate());
  return static_cast<int64_t>(frames / rate * 1000u + frames % rate * 1000u / rate);
}

uint64_t SeekTarget(uint64_t bytes, uint64_t length) {
  if (bytes == 0) return 0;
  return bytes < length ? bytes : length;
}

void SeekMs(AudioHandle handle, int64_t ms) {
  if (handle == 0) return;
  BASS_ChannelSetPosition(handle, SeekTarget(MsToBytes(handle, ms), BASS_ChannelGetLength(handle)));
}

bool BASS_ChannelSetPosition(AudioHandle handle, uint64_t bytes) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s) return false;
  s->Seek(bytes / s->frameBytes());
  return true;
}

uint64_t BASS_ChannelGetPosition(AudioHandle handle) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  return s ? s->PositionFrames() * s->frameBytes() : 0;
}

bool BASS_ChannelPlay(AudioHandle handle, bool restart) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s) return false;
  s->Play(restart);
  return true;
}

bool BASS_ChannelStop(AudioHandle handle) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  if (!s) return false;
  s->Stop();
  return true;
}

bool ChannelIsPlaying(AudioHandle handle) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  return s && s->playing();
}

std::optional<std::chrono::steady_clock::time_point> FirstMixedAt(AudioHandle handle) {
  std::lock_guard lock(Out().mutex);
  Stream* s = Find(handle);
  return s ? s->firstMixed() : std::nullopt;
}

int OutputRate() { return Out().rate; }
int OutputBufferFrames() { return Out().bufferFrames; }

namespace {

// The one background scan of the recordings; joined when the program ends.
class RecordingPreparer {
 public:
  static RecordingPreparer& Get() {
    static RecordingPreparer preparer;
    return preparer;
  }
  ~RecordingPreparer() { Stop(); }

  void Start(std::vector<std::string> paths) {
    Stop();
    busy_ = true;
    thread_ = std::thread([this, paths = std::move(paths)] {
      // Plays on the user-interface thread come first.
      setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
      for (const std::string& path : paths) {
        if (stop_) break;
        audio::PrepareMp3(path);
      }
      busy_ = false;
    });
  }
  bool Busy() const { return busy_; }

 private:
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    stop_ = false;
  }
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> busy_{false};
};

}  // namespace

void PrepareRecordings(std::vector<std::string> paths) { RecordingPreparer::Get().Start(std::move(paths)); }

bool PreparingRecordings() { return RecordingPreparer::Get().Busy(); }

}  // namespace lx
