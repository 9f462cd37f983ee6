#include "listen/wav_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "engine/riff_chunks.h"

namespace {

// The extensible format's chunk is 40 bytes; more than this is no format
// chunk a recorder writes, and waiting for it would hold the whole file.
constexpr std::uint32_t largest_format = 4096;

// The sub-format GUID of the extensible format after its first two bytes,
// which hold the plain format's tag.
constexpr unsigned char guid_tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

float mu_law(unsigned char byte) {
  const int u = ~byte & 0xFF;
  const int magnitude = (((u & 0x0F) << 3) + 0x84) << ((u >> 4) & 7);
  return float((u & 0x80) ? 0x84 - magnitude : magnitude - 0x84) / 32768.0f;
}

float a_law(unsigned char byte) {
  const int a = byte ^ 0x55;
  const int exponent = (a >> 4) & 7, mantissa = a & 0x0F;
  const int magnitude =
      exponent == 0 ? (mantissa << 4) + 8 : ((mantissa << 4) + 0x108) << (exponent - 1);
  return float((a & 0x80) ? magnitude : -magnitude) / 32768.0f;
}

// Frames of `channels` samples of `width` bytes each, every frame's samples
// averaged into one.
template <class Read>
void mix(const unsigned char* p, std::size_t frames, std::size_t channels, std::size_t width,
         double full_scale, Read read, std::vector<float>& out) {
  const std::size_t at = out.size();
  out.resize(at + frames);
  float* o = out.data() + at;
  const double scale = 1.0 / (full_scale * double(channels));
  for (std::size_t f = 0; f < frames; ++f) {
    double sum = 0;
    for (std::size_t c = 0; c < channels; ++c, p += width) sum += read(p);
    // Far beyond full scale only in a broken float file; kept within a float.
    o[f] = static_cast<float>(std::clamp(sum * scale, -1e30, 1e30));
  }
}

}  // namespace

void Wav_Stream::feed(const unsigned char* bytes, std::size_t count) {
  if (state_ == State::Samples) {
    decode(bytes, count);
    return;
  }
  if (state_ != State::Header) return;
  // A skipped chunk's bytes are passed over as they come, never held.
  const auto skipped = static_cast<std::size_t>(std::min<std::uint64_t>(skip_, count));
  skip_ -= skipped;
  held_.insert(held_.end(), bytes + skipped, bytes + count);
  read_header();
}

void Wav_Stream::read_header() {
  std::size_t used = 0;  // bytes of held_ judged, dropped at the end
  if (!riff_read_) {
    if (held_.size() < 12) return;
    used = first_wav_chunk(held_);
    if (used == 0) {
      state_ = State::Not_Wav;
      held_ = {};
      return;
    }
    riff_read_ = true;
  }
  Riff_Walker walker(held_, used);
  while (const auto chunk = walker.next()) {
    if (chunk->id == "data") {
      if (!have_format_) {
        state_ = State::Unstreamable;
        return;
      }
      to_end_ = chunk->declared == 0 || chunk->declared == 0xFFFFFFFFu;
      data_left_ = chunk->declared;
      state_ = State::Samples;
      const std::vector<unsigned char> rest(
          held_.begin() + static_cast<std::ptrdiff_t>(chunk->body), held_.end());
      held_ = {};
      decode(rest.data(), rest.size());
      return;
    }
    if (chunk->id == "fmt ") {
      if (chunk->declared > largest_format) {
        state_ = State::Unstreamable;
        return;
      }
      if (chunk->cut_short()) break;  // held until the rest of it comes
      if (!read_format(&held_[chunk->body], chunk->declared)) {
        state_ = State::Unstreamable;
        return;
      }
      have_format_ = true;
    }
    // Any other chunk is passed over, the part yet to come as it comes.
    if (chunk->next() > held_.size()) {
      skip_ = chunk->next() - held_.size();
      used = held_.size();
      break;
    }
    used = static_cast<std::size_t>(chunk->next());
  }
  held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(used));
}

bool Wav_Stream::read_format(const unsigned char* f, std::uint32_t size) {
  if (size < 16) return false;
  std::uint16_t tag = u16(f);
  if (tag == 0xFFFE) {
    if (size < 40 || std::memcmp(f + 26, guid_tail, sizeof guid_tail) != 0) return false;
    tag = u16(f + 24);
  }
  const std::uint16_t channels = u16(f + 2), bits = u16(f + 14);
  const std::uint32_t rate = riff_u32(f + 4);
  // The rate is kept to what the player's decoder took.
  if (channels == 0 || rate == 0 || rate > (1u << 30)) return false;
  if (tag == 1 && bits == 8)
    coding_ = Coding::Unsigned_8;
  else if (tag == 1 && bits == 16)
    coding_ = Coding::Signed_16;
  else if (tag == 1 && bits == 24)
    coding_ = Coding::Signed_24;
  else if (tag == 1 && bits == 32)
    coding_ = Coding::Signed_32;
  else if (tag == 3 && bits == 32)
    coding_ = Coding::Float_32;
  else if (tag == 3 && bits == 64)
    coding_ = Coding::Float_64;
  else if ((tag == 6 || tag == 7) && bits == 8)
    coding_ = tag == 6 ? Coding::A_Law : Coding::Mu_Law;
  else
    return false;
  if (coding_ == Coding::A_Law || coding_ == Coding::Mu_Law) {
    law_table_.resize(256);
    for (int b = 0; b < 256; ++b)
      law_table_[std::size_t(b)] = coding_ == Coding::A_Law ? a_law(static_cast<unsigned char>(b))
                                                            : mu_law(static_cast<unsigned char>(b));
  }
  rate_ = rate;
  channels_ = channels;
  sample_bytes_ = bits / 8u;
  frame_bytes_ = channels_ * sample_bytes_;
  return true;
}

void Wav_Stream::decode(const unsigned char* bytes, std::size_t count) {
  if (!to_end_) {
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, data_left_));
    data_left_ -= count;
  }
  if (!partial_.empty()) {
    const std::size_t n = std::min(frame_bytes_ - partial_.size(), count);
    partial_.insert(partial_.end(), bytes, bytes + n);
    bytes += n;
    count -= n;
    if (partial_.size() == frame_bytes_) {
      decode_frames(partial_.data(), 1);
      partial_.clear();
    }
  }
  const std::size_t frames = count / frame_bytes_;
  decode_frames(bytes, frames);
  bytes += frames * frame_bytes_;
  partial_.insert(partial_.end(), bytes, bytes + (count - frames * frame_bytes_));
  if (!to_end_ && data_left_ == 0) state_ = State::Ended;
}

void Wav_Stream::decode_frames(const unsigned char* p, std::size_t frames) {
  const std::size_t c = channels_, w = sample_bytes_;
  switch (coding_) {
    case Coding::Unsigned_8:
      mix(
          p, frames, c, w, 128.0, [](const unsigned char* s) { return s[0] - 128; }, samples_);
      break;
    case Coding::Signed_16:
      mix(
          p, frames, c, w, 32768.0, [](const unsigned char* s) { return std::int16_t(u16(s)); },
          samples_);
      break;
    case Coding::Signed_24:
      mix(
          p, frames, c, w, 8388608.0,
          [](const unsigned char* s) {
            // The top byte shifted into the sign of a 32-bit value, then back.
            return std::int32_t(std::uint32_t(s[0] << 8 | s[1] << 16) | std::uint32_t(s[2])
                                                                            << 24) >>
                   8;
          },
          samples_);
      break;
    case Coding::Signed_32:
      mix(
          p, frames, c, w, 2147483648.0,
          [](const unsigned char* s) { return std::int32_t(riff_u32(s)); }, samples_);
      break;
    case Coding::Float_32:
      mix(
          p, frames, c, w, 1.0,
          [](const unsigned char* s) { return double(std::bit_cast<float>(riff_u32(s))); },
          samples_);
      break;
    case Coding::Float_64:
      mix(
          p, frames, c, w, 1.0,
          [](const unsigned char* s) {
            return std::bit_cast<double>(std::uint64_t{riff_u32(s)} | std::uint64_t{riff_u32(s + 4)}
                                                                          << 32);
          },
          samples_);
      break;
    case Coding::Mu_Law:
    case Coding::A_Law:
      mix(
          p, frames, c, w, 1.0, [this](const unsigned char* s) { return law_table_[s[0]]; },
          samples_);
      break;
  }
}
