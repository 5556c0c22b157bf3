#include "decoder.h"

#include <mpg123.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace lx::audio {

namespace {

// Frame length in bytes of the MPEG audio frame whose header starts at `h`, or 0
// when the four bytes are not a valid header.
size_t MpegFrameLength(const unsigned char* h) {
  static const int kBitrate[2][3][15] = {
      // MPEG 1: layers I, II, III
      {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
       {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
       {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
      // MPEG 2 and 2.5
      {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
  static const int kRate[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return 0;
  const int version = (h[1] >> 3) & 3;  // 0: 2.5, 1: reserved, 2: 2, 3: 1
  const int layerBits = (h[1] >> 1) & 3;  // 1: III, 2: II, 3: I
  const int bitrateIndex = h[2] >> 4;
  const int rateIndex = (h[2] >> 2) & 3;
  if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return 0;
  const int layer = 4 - layerBits;  // 1..3
  const int v = version == 3 ? 0 : 1;
  const long bitrate = kBitrate[v][layer - 1][bitrateIndex] * 1000L;
  const long rate = kRate[version == 3 ? 0 : version == 2 ? 1 : 2][rateIndex];
  const int padding = (h[2] >> 1) & 1;
  if (layer == 1) return static_cast<size_t>((12 * bitrate / rate + padding) * 4);
  const long factor = (layer == 3 && v == 1) ? 72 : 144;
  return static_cast<size_t>(factor * bitrate / rate + padding);
}

bool TwoFramesAt(const unsigned char* p, size_t size) {
  if (size < 4) return false;
  const size_t first = MpegFrameLength(p);
  if (first == 0) return false;
  if (first + 4 > size) return size <= first;  // a file of a single frame
  const size_t second = MpegFrameLength(p + first);
  // The second header must describe the same version, layer and sample rate.
  return second != 0 && (p[1] & 0xFE) == (p[first + 1] & 0xFE) &&
         (p[2] & 0x0C) == (p[first + 2] & 0x0C);
}

size_t Id3v2Size(const unsigned char* p, size_t size) {
  if (size < 10 || p[0] != 'I' || p[1] != 'D' || p[2] != '3') return 0;
  if ((p[6] | p[7] | p[8] | p[9]) & 0x80) return 0;
  size_t n = (size_t(p[6]) << 21) | (size_t(p[7]) << 14) | (size_t(p[8]) << 7) | p[9];
  n += 10;
  if (p[5] & 0x10) n += 10;  // footer
  return n;
}

std::vector<unsigned char> ReadAt(const std::string& path, long offset, size_t count) {
  std::vector<unsigned char> buf;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return buf;
  if (std::fseek(f, offset, SEEK_SET) == 0) {
    buf.resize(count);
    buf.resize(std::fread(buf.data(), 1, count, f));
  }
  std::fclose(f);
  return buf;
}

// True when the file starts with the signature of a container libsndfile reads.
// Anything else is kept from it: unrecognised bytes named .mp3 would reach its own
// MPEG reader, which prints its complaints to stderr.
bool FileHasSndfileSignature(const std::string& path) {
  static const char* const kSignatures[] = {"RIFF", "RIFX", "RF64", "BW64", "FORM", "fLaC",
                                            "OggS", ".snd", "dns.", "caff", "wvpk"};
  const std::vector<unsigned char> head = ReadAt(path, 0, 4);
  if (head.size() < 4) return false;
  for (const char* sig : kSignatures)
    if (std::equal(head.begin(), head.end(), reinterpret_cast<const unsigned char*>(sig))) return true;
  return false;
}

bool FileLooksLikeMpeg(const std::string& path) {
  std::vector<unsigned char> head = ReadAt(path, 0, 4096);
  const size_t tag = Id3v2Size(head.data(), head.size());
  if (tag == 0) return LooksLikeMpegAudio(head.data(), head.size());
  head = ReadAt(path, static_cast<long>(tag), 4096);
  return TwoFramesAt(head.data(), head.size());
}

class Mp3Decoder : public Decoder {
 public:
  ~Mp3Decoder() override {
    if (mh_) {
      mpg123_close(mh_);
      mpg123_delete(mh_);
    }
  }

  bool Open(const std::string& path) {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
    int err = 0;
    mh_ = mpg123_new(nullptr, &err);
    if (!mh_) return false;
    mpg123_param(mh_, MPG123_VERBOSE, 0, 0);
    mpg123_param(mh_, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    // Four frames (the default) leave the bit reservoir short after a seek in VBR files.
    mpg123_param(mh_, MPG123_PREFRAMES, 16, 0);
    if (mpg123_open(mh_, path.c_str()) != MPG123_OK) return false;
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(mh_, &rate, &channels, &encoding) != MPG123_OK) return false;
    if (rate <= 0 || channels <= 0) return false;
    // Keep the file's own rate and channels, always as signed 16-bit.
    mpg123_format_none(mh_);
    if (mpg123_format(mh_, rate, channels, MPG123_ENC_SIGNED_16) != MPG123_OK) return false;
    if (mpg123_scan(mh_) != MPG123_OK) return false;
    const off_t length = mpg123_length(mh_);
    if (length <= 0) return false;
    rate_ = static_cast<int>(rate);
    channels_ = channels;
    frames_ = static_cast<uint64_t>(length);
    return mpg123_seek(mh_, 0, SEEK_SET) >= 0;
  }

  bool Seek(uint64_t frame) override {
    if (frame > frames_) frame = frames_;
    return mpg123_seek(mh_, static_cast<off_t>(frame), SEEK_SET) >= 0;
  }

  size_t Read(int16_t* out, size_t count) override {
    const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(channels_);
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    size_t filled = 0;
    const size_t want = count * frameBytes;
    while (filled < want) {
      size_t done = 0;
      const int rc = mpg123_read(mh_, bytes + filled, want - filled, &done);
      filled += done;
      // A format change mid-stream is not followed: the rest of such a file is cut.
      if (rc != MPG123_OK || done == 0) break;
    }
    return filled / frameBytes;
  }

 private:
  mpg123_handle* mh_ = nullptr;
};

class SndDecoder : public Decoder {
 public:
  ~SndDecoder() override {
    if (sf_) sf_close(sf_);
  }

  bool Open(const std::string& path) {
    SF_INFO info{};
    sf_ = sf_open(path.c_str(), SFM_READ, &info);
    if (!sf_) return false;
    // MPEG is handled by the MP3 decoder only.
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) return false;
    if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0) return false;
    sf_command(sf_, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    rate_ = info.samplerate;
    channels_ = info.channels;
    frames_ = static_cast<uint64_t>(info.frames);
    return true;
  }

  bool Seek(uint64_t frame) override {
    if (frame > frames_) frame = frames_;
    return sf_seek(sf_, static_cast<sf_count_t>(frame), SEEK_SET) >= 0;
  }

  size_t Read(int16_t* out, size_t count) override {
    const sf_count_t n = sf_readf_short(sf_, out, static_cast<sf_count_t>(count));
    return n > 0 ? static_cast<size_t>(n) : 0;
  }

 private:
  SNDFILE* sf_ = nullptr;
};

}  // namespace

bool LooksLikeMpegAudio(const unsigned char* head, size_t size) {
  if (Id3v2Size(head, size) != 0) return true;
  return TwoFramesAt(head, size);
}

std::unique_ptr<Decoder> OpenDecoder(const std::string& path) {
  if (FileLooksLikeMpeg(path)) {
    auto mp3 = std::make_unique<Mp3Decoder>();
    if (mp3->Open(path)) return mp3;
    return nullptr;
  }
  if (!FileHasSndfileSignature(path)) return nullptr;
  auto snd = std::make_unique<SndDecoder>();
  if (snd->Open(path)) return snd;
  return nullptr;
}

}  // namespace lx::audio
