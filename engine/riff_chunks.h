#pragma once
// The chunks of a RIFF image (a WAV file), walked strictly within its bytes
// whatever their headers claim: every reader of WAV bytes goes through here,
// so that a size near 4 GB, a chunk cut off by the end of the file or an odd
// last chunk without its pad byte is met in one place.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct Riff_Chunk {
  std::string_view id;         // the four bytes of its name
  std::size_t header = 0;      // where its 8-byte header starts
  std::uint32_t declared = 0;  // the size its header claims
  std::size_t body = 0;        // where its contents start
  std::size_t available = 0;   // bytes of its contents in the image

  // The image ends before the size it claims.
  bool cut_short() const { return available < declared; }
  // Where the next chunk starts, after the contents claimed and the pad byte
  // that follows an odd size, whether or not the image holds them.
  std::uint64_t next() const { return std::uint64_t{body} + declared + (declared & 1); }
};

class Riff_Walker {
 public:
  // The chunks of a WAV image (first_wav_chunk); none when it is no WAV.
  explicit Riff_Walker(std::span<const unsigned char> image);
  // The chunks from `first` on, for a caller that has judged the header.
  Riff_Walker(std::span<const unsigned char> image, std::size_t first);

  // The next chunk with a whole header. The walk ends at the end of the
  // image, after a chunk cut short, or before a header the end cuts off.
  std::optional<Riff_Chunk> next();

  // Where the walk stands: after the last chunk's bytes (and its pad byte,
  // when there), or at the start of a header the end cuts off.
  std::size_t position() const { return at_; }

 private:
  std::span<const unsigned char> image_;
  std::size_t at_;
  bool ended_ = false;
};

// Where the first chunk of a WAV image starts: after "RIFF", its size and
// "WAVE", or right after a leading "WAVE", which the sound library also
// reads; 0 when the image starts with neither.
std::size_t first_wav_chunk(std::span<const unsigned char> image);

// A little-endian 32-bit field.
std::uint32_t riff_u32(const unsigned char* p);
