#include "stream.h"

#include <algorithm>

namespace lx::audio {

namespace {
constexpr size_t kChunk = 1024;  // frames decoded at a time
}  // namespace

Stream::Stream(std::unique_ptr<Decoder> decoder, int outputRate)
    : decoder_(std::move(decoder)), outputRate_(outputRate), work_(decoder_->channels() == 1 ? 1 : 2) {
  raw_.resize(kChunk * static_cast<size_t>(decoder_->channels()));
  in_.resize(kChunk * static_cast<size_t>(work_));
  out_.resize(kChunk * static_cast<size_t>(work_));
  if (decoder_->rate() != outputRate_) {
    int err = 0;
    src_ = src_new(SRC_SINC_FASTEST, work_, &err);
  }
}

Stream::~Stream() {
  if (src_) src_delete(src_);
}

uint64_t Stream::PositionFrames() const {
  uint64_t played = outFrames_;
  if (src_) played = outFrames_ * static_cast<uint64_t>(rate()) / static_cast<uint64_t>(outputRate_);
  return std::min(base_ + played, decodedTo_);
}

void Stream::Seek(uint64_t frame) {
  frame = std::min(frame, lengthFrames());
  decoder_->Seek(frame);
  base_ = decodedTo_ = frame;
  outFrames_ = 0;
  decoderDone_ = false;
  inOffset_ = inAvail_ = 0;
  if (src_) src_reset(src_);
  firstMixed_.reset();
}

void Stream::Play(bool restart) {
  if (restart) Seek(0);
  firstMixed_.reset();
  playing_ = true;
}

void Stream::Stop() {
  if (!playing_) return;
  playing_ = false;
  // Frames decoded ahead of the output are dropped, so a resume starts exactly here.
  Seek(PositionFrames());
}

bool Stream::Decode() {
  if (decoderDone_) return false;
  const size_t n = decoder_->Read(raw_.data(), kChunk);
  if (n == 0) {
    decoderDone_ = true;
    return false;
  }
  const size_t ch = static_cast<size_t>(channels());
  for (size_t i = 0; i < n; ++i)
    for (size_t c = 0; c < static_cast<size_t>(work_); ++c) in_[i * work_ + c] = raw_[i * ch + c] / 32768.0f;
  decodedTo_ += n;
  inOffset_ = 0;
  inAvail_ = n;
  return true;
}

size_t Stream::Produce(float* out, size_t want) {
  if (!src_) {
    size_t produced = 0;
    while (produced < want) {
      if (inAvail_ == 0 && !Decode()) break;
      const size_t n = std::min(inAvail_, want - produced);
      std::copy_n(in_.data() + inOffset_ * work_, n * work_, out + produced * work_);
      inOffset_ += n;
      inAvail_ -= n;
      produced += n;
    }
    return produced;
  }
  size_t produced = 0;
  while (produced < want) {
    if (inAvail_ == 0) Decode();
    SRC_DATA d{};
    d.data_in = in_.data() + inOffset_ * work_;
    d.input_frames = static_cast<long>(inAvail_);
    d.data_out = out + produced * work_;
    d.output_frames = static_cast<long>(want - produced);
    d.end_of_input = decoderDone_ ? 1 : 0;
    d.src_ratio = static_cast<double>(outputRate_) / rate();
    if (src_process(src_, &d) != 0) break;
    inOffset_ += static_cast<size_t>(d.input_frames_used);
    inAvail_ -= static_cast<size_t>(d.input_frames_used);
    produced += static_cast<size_t>(d.output_frames_gen);
    if (d.output_frames_gen == 0 && decoderDone_) break;  // the resampler's tail is out
  }
  return produced;
}

void Stream::MixInto(float* mix, size_t frames, std::chrono::steady_clock::time_point now) {
  size_t done = 0;
  while (playing_ && done < frames) {
    const size_t n = Produce(out_.data(), std::min(frames - done, kChunk));
    if (n == 0) {
      // End of the file: the position rests on the last decoded frame.
      playing_ = false;
      base_ = decodedTo_;
      outFrames_ = 0;
      break;
    }
    float* dst = mix + done * 2;
    if (work_ == 1) {
      for (size_t i = 0; i < n; ++i) {
        dst[2 * i] += out_[i];
        dst[2 * i + 1] += out_[i];
      }
    } else {
      for (size_t i = 0; i < 2 * n; ++i) dst[i] += out_[i];
    }
    done += n;
    outFrames_ += n;
  }
  if (done > 0 && !firstMixed_) firstMixed_ = now;
}

}  // namespace lx::audio
