#pragma once
// A silent mono WAV of a given length, so that a test can tell recordings apart by
// the length of the stream the sound service opened.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace lx::test {

// 16-bit mono at 8 kHz, `ms` milliseconds long.
inline void WriteSilence(const std::filesystem::path& path, int ms) {
  const uint32_t rate = 8000, samples = rate * static_cast<uint32_t>(ms) / 1000, bytes = samples * 2;
  std::ofstream f(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
  f << "RIFF";
  u32(36 + bytes);
  f << "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  f << "data";
  u32(bytes);
  f << std::string(bytes, '\0');
}

}  // namespace lx::test
