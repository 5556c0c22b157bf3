#pragma once
// The program's audio library: streams over MP3, WAV and other recordings, decoded
// from disk as they play, mixed on one output device opened at start-up.
//
// Handles are never reused; handle 0 (a failed open) is accepted by every call and
// makes it do nothing. Byte positions count frames x channels x 2 of the stream's
// decoded 16-bit format, at the file's own sample rate. Every call is made from one
// thread (the user-interface thread); output runs on the device's own thread.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lx {

using AudioHandle = uint32_t;

// Opens the output device: `freq` frames per second, stereo 16-bit. `device`,
// `flags`, `window` and `guid` are accepted for the callers' sake and not used; the
// system's default device is taken. When no device opens, SDL's dummy driver is used
// so positions still advance in real time. Never prints anything. Returns true once a
// device (possibly the dummy one) is open; a second call changes nothing.
bool BASS_Init(int device, uint32_t freq, uint32_t flags, void* window, const void* guid);
// Starts output on the opened device.
bool BASS_Start();
// Closes the device and frees every stream; BASS_Init may then open it again.
void BASS_Free();

// Opens a stream over the file at `path` (a native, UTF-8 path). The format comes
// from the file's content. `fromMemory` must be false; `offset` and `length` are
// ignored (the whole file is used); `flags` is ignored. 0 on failure.
AudioHandle BASS_StreamCreateFile(bool fromMemory, const std::string& path, uint64_t offset, uint64_t length,
                                  uint32_t flags);
// Scans the MP3 files among `paths` on a background thread of low priority, so that
// the first play of each starts as fast as later ones. A new call replaces the list
// of an earlier one; the work stops when the program ends.
void PrepareRecordings(std::vector<std::string> paths);
// True while that thread still has files to scan.
bool PreparingRecordings();

// Stops and releases a stream.
bool BASS_StreamFree(AudioHandle handle);

uint64_t BASS_ChannelGetLength(AudioHandle handle);
double BASS_ChannelBytes2Seconds(AudioHandle handle, uint64_t bytes);
// Byte position of a time in seconds, rounded down to a whole frame; a negative
// time gives 0.
uint64_t BASS_ChannelSeconds2Bytes(AudioHandle handle, double seconds);
// Moves the stream to `bytes` (rounded down to a frame, clamped to the length); a
// playing stream continues from there.
bool BASS_ChannelSetPosition(AudioHandle handle, uint64_t bytes);
// The position of the last frame that went to the output.
uint64_t BASS_ChannelGetPosition(AudioHandle handle);
// Starts or resumes output at the current position (from 0 with `restart`).
bool BASS_ChannelPlay(AudioHandle handle, bool restart);
// Halts output; the position is kept.
bool BASS_ChannelStop(AudioHandle handle);
// True while a stream plays (not stopped and not at its end).
bool ChannelIsPlaying(AudioHandle handle);

// Milliseconds to bytes, rounded down to a whole frame (exact integer arithmetic; a
// negative time gives 0), and bytes to whole milliseconds (the fraction dropped).
uint64_t MsToBytes(AudioHandle handle, int64_t ms);
int64_t BytesToMs(AudioHandle handle, uint64_t bytes);

// Where a seek to `bytes` lands in a stream of `length` bytes: 0 stays 0, a position
// below the length is kept, anything else becomes the length.
uint64_t SeekTarget(uint64_t bytes, uint64_t length);
// Converts `ms` to bytes and seeks there by SeekTarget.
void SeekMs(AudioHandle handle, int64_t ms);

// When the output thread first took a frame of this stream after its latest play or
// seek; empty until then. For measuring the delay from a play to the sound.
std::optional<std::chrono::steady_clock::time_point> FirstMixedAt(AudioHandle handle);
// The device's rate in frames per second and its buffer in frames (0 before BASS_Init).
int OutputRate();
int OutputBufferFrames();

}  // namespace lx
