#include "engine/riff_chunks.h"

#include <algorithm>
#include <cstring>

Riff_Walker::Riff_Walker(std::span<const unsigned char> image)
    : Riff_Walker(image, first_wav_chunk(image)) {
  ended_ = at_ == 0;
}

Riff_Walker::Riff_Walker(std::span<const unsigned char> image, std::size_t first)
    : image_(image), at_(std::min(first, image.size())) {}

std::optional<Riff_Chunk> Riff_Walker::next() {
  if (ended_ || image_.size() - at_ < 8) {
    ended_ = true;
    return std::nullopt;
  }
  Riff_Chunk chunk;
  chunk.id = std::string_view(reinterpret_cast<const char*>(&image_[at_]), 4);
  chunk.header = at_;
  chunk.declared = riff_u32(&image_[at_ + 4]);
  chunk.body = at_ + 8;
  chunk.available = std::min<std::size_t>(chunk.declared, image_.size() - chunk.body);
  // The last chunk may lack its pad byte, or more.
  at_ = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.next(), image_.size()));
  ended_ = chunk.cut_short();
  return chunk;
}

std::size_t first_wav_chunk(std::span<const unsigned char> image) {
  if (image.size() >= 12 && std::memcmp(image.data(), "RIFF", 4) == 0 &&
      std::memcmp(image.data() + 8, "WAVE", 4) == 0)
    return 12;
  if (image.size() >= 4 && std::memcmp(image.data(), "WAVE", 4) == 0) return 4;
  return 0;
}

std::uint32_t riff_u32(const unsigned char* p) {
  return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}
