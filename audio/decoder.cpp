#include "decoder.h"

#include <mpg123.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
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

// What identifies one version of a file: a file replaced under the same name, or
// written over in place, differs in at least one of these.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{}, changed{};

  bool operator==(const FileStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
           changed.tv_nsec == o.changed.tv_nsec;
  }
};

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// An opened and scanned MP3: the handle knows the exact length and holds the seek
// index, so it serves a later play of the same file without a second scan.
struct ScannedMp3 {
  std::string path;
  FileStamp stamp;  // taken before the file was opened
  mpg123_handle* mh = nullptr;
  int rate = 0;
  int channels = 0;
  uint64_t frames = 0;
};

void Close(ScannedMp3& m) {
  if (!m.mh) return;
  mpg123_close(m.mh);
  mpg123_delete(m.mh);
  m.mh = nullptr;
}

// Handles of MP3 streams that were freed, most recent first. A handle is lent to one
// stream at a time, so two streams of one file never share a decoder. Each keeps an
// open file and its frame index, never decoded audio; only a few are kept.
class ScannedMp3Cache {
 public:
  static ScannedMp3Cache& Get() {
    static auto* cache = new ScannedMp3Cache;  // lives until the process ends
    return *cache;
  }

  // The kept handle of this version of the file, if any; handles of older versions
  // of it are closed.
  std::optional<ScannedMp3> Take(const std::string& path, const FileStamp& now) {
    std::vector<ScannedMp3> stale;
    std::optional<ScannedMp3> found;
    {
      std::lock_guard lock(mutex_);
      for (auto it = kept_.begin(); it != kept_.end();) {
        const bool same = it->path == path;
        const bool current = same && it->stamp == now;
        if (same && !current) {
          stale.push_back(*it);
        } else if (current && !found) {
          found = *it;
        } else {
          ++it;
          continue;
        }
        it = kept_.erase(it);
      }
    }
    for (auto& m : stale) Close(m);
    return found;
  }

  bool Holds(const std::string& path, const FileStamp& now) {
    std::lock_guard lock(mutex_);
    for (const ScannedMp3& m : kept_)
      if (m.path == path && m.stamp == now) return true;
    return false;
  }

  size_t Count() {
    std::lock_guard lock(mutex_);
    return kept_.size();
  }

  void Keep(ScannedMp3 m) {
    std::vector<ScannedMp3> dropped;
    {
      std::lock_guard lock(mutex_);
      kept_.insert(kept_.begin(), std::move(m));
      while (kept_.size() > kKept) {
        dropped.push_back(std::move(kept_.back()));
        kept_.pop_back();
      }
    }
    for (auto& d : dropped) Close(d);
  }

 private:
  // Enough for every recording of the course (40 files), each an open file and its
  // frame index.
  static constexpr size_t kKept = 64;
  std::mutex mutex_;
  std::vector<ScannedMp3> kept_;
};

class Mp3Decoder : public Decoder {
 public:
  explicit Mp3Decoder(ScannedMp3 m) : m_(std::move(m)) {
    rate_ = m_.rate;
    channels_ = m_.channels;
    frames_ = m_.frames;
  }
  ~Mp3Decoder() override {
    if (reusable_)
      ScannedMp3Cache::Get().Keep(std::move(m_));
    else
      Close(m_);
  }
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // Opens and scans the file; the handle is null when it holds no usable MP3.
  static ScannedMp3 Scan(const std::string& path, const FileStamp& stamp) {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
    ScannedMp3 m{path, stamp};
    int err = 0;
    m.mh = mpg123_new(nullptr, &err);
    if (!m.mh) return m;
    if (!ScanOpened(m)) Close(m);
    return m;
  }

  bool Seek(uint64_t frame) override {
    if (frame > frames_) frame = frames_;
    const bool ok = mpg123_seek(m_.mh, static_cast<off_t>(frame), SEEK_SET) >= 0;
    if (!ok) reusable_ = false;
    return ok;
  }

  size_t Read(int16_t* out, size_t count) override {
    const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(channels_);
    auto* bytes = reinterpret_cast<unsigned char*>(out);
    size_t filled = 0;
    const size_t want = count * frameBytes;
    while (filled < want) {
      size_t done = 0;
      const int rc = mpg123_read(m_.mh, bytes + filled, want - filled, &done);
      filled += done;
      // A format change mid-stream is not followed: the rest of such a file is cut.
      if (rc != MPG123_OK || done == 0) {
        // A handle that failed is not lent to a later stream.
        if (rc != MPG123_OK && rc != MPG123_DONE) reusable_ = false;
        break;
      }
    }
    return filled / frameBytes;
  }

 private:
  static bool ScanOpened(ScannedMp3& m) {
    mpg123_handle* mh = m.mh;
    mpg123_param(mh, MPG123_VERBOSE, 0, 0);
    mpg123_param(mh, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
    // Four frames (the default) leave the bit reservoir short after a seek in VBR files.
    mpg123_param(mh, MPG123_PREFRAMES, 16, 0);
    if (mpg123_open(mh, m.path.c_str()) != MPG123_OK) return false;
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK) return false;
    if (rate <= 0 || channels <= 0) return false;
    // Keep the file's own rate and channels, always as signed 16-bit.
    mpg123_format_none(mh);
    if (mpg123_format(mh, rate, channels, MPG123_ENC_SIGNED_16) != MPG123_OK) return false;
    if (mpg123_scan(mh) != MPG123_OK) return false;
    const off_t length = mpg123_length(mh);
    if (length <= 0) return false;
    m.rate = static_cast<int>(rate);
    m.channels = channels;
    m.frames = static_cast<uint64_t>(length);
    return true;
  }

  ScannedMp3 m_;
  bool reusable_ = true;
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
    // Float samples beyond full scale are clipped rather than wrapped. (Scaling them
    // to the file's peak instead would read the whole file at every open.)
    sf_command(sf_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
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

void PrepareMp3(const std::string& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp || ScannedMp3Cache::Get().Holds(path, *stamp) || !FileLooksLikeMpeg(path)) return;
  ScannedMp3 scanned = Mp3Decoder::Scan(path, *stamp);
  if (scanned.mh) ScannedMp3Cache::Get().Keep(std::move(scanned));
}

size_t KeptMp3Count() { return ScannedMp3Cache::Get().Count(); }

std::unique_ptr<Decoder> OpenDecoder(const std::string& path) {
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp) return nullptr;
  std::unique_ptr<Decoder> decoder;
  if (std::optional<ScannedMp3> kept = ScannedMp3Cache::Get().Take(path, *stamp)) {
    decoder = std::make_unique<Mp3Decoder>(std::move(*kept));
  } else if (FileLooksLikeMpeg(path)) {
    ScannedMp3 scanned = Mp3Decoder::Scan(path, *stamp);
    if (!scanned.mh) return nullptr;
    decoder = std::make_unique<Mp3Decoder>(std::move(scanned));
  } else {
    if (!FileHasSndfileSignature(path)) return nullptr;
    auto snd = std::make_unique<SndDecoder>();
    if (!snd->Open(path)) return nullptr;
    return snd;
  }
  // A kept handle rests where its last stream left it; every stream starts at 0.
  if (!decoder->Seek(0)) return nullptr;
  return decoder;
}

}  // namespace lx::audio
