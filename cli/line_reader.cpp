#include "cli/line_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bytes that may start a break: the controls themselves, and the lead byte
// of the three-byte breaks.
constexpr std::array<bool, 256> may_break = [] {
  std::array<bool, 256> t{};
  t['\n'] = t['\r'] = t[0xE2] = t[0xEF] = true;
  return t;
}();

// The first byte in [from, end) that is a line feed, a CR or above ASCII,
// or end: what ends the plain part of a line.
std::size_t plain_end(const char* s, std::size_t from, std::size_t end) {
  std::size_t i = from;
#if defined(__SSE2__)
  // Sixteen bytes a look; a byte above ASCII has its top bit, which the mask
  // picks up by itself.
  const __m128i feed = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  for (; i + 16 <= end; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, feed), _mm_cmpeq_epi8(v, cr)), v);
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < end; ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b == '\n' || b == '\r' || b >= 0x80) break;
  }
  return i;
}

// The first byte in [from, end) that may start a break, or end, and whether
// all before it is known to be ASCII. Most lines end at a line feed with no
// CR and no byte above ASCII before it: one quick search finds that.
std::size_t find_break(const char* s, std::size_t from, std::size_t end, bool& ascii) {
  const std::size_t plain = plain_end(s, from, end);
  ascii = plain == end || s[plain] == '\n';
  if (ascii) return plain;
  const auto* bytes = reinterpret_cast<const unsigned char*>(s);
  std::size_t i = plain;
  while (i < end && !may_break[bytes[i]]) ++i;
  return i;
}

// Length of the break that starts at s (with n bytes there), 0 for none.
std::size_t break_length(const unsigned char* s, std::size_t n) {
  if (s[0] == '\n' || s[0] == '\r') return 1;
  if (n < 3) return 0;
  if (s[0] == 0xE2 && s[1] == 0x80 && s[2] == 0xA9) return 3;                    // U+2029
  if (s[0] == 0xEF && s[1] == 0xB7 && (s[2] == 0x90 || s[2] == 0x91)) return 3;  // U+FDD0/1
  return 0;
}

}  // namespace

Line_Reader::Line_Reader(Byte_Source& source, std::size_t chunk)
    : source_(source), buffer_(std::max<std::size_t>(chunk, 4)) {}

bool Line_Reader::fill() {
  if (at_end_) return false;
  // Whatever was not taken yet is a few bytes of a break that was cut off.
  std::memmove(buffer_.data(), buffer_.data() + pos_, unread());
  end_ = unread();
  pos_ = 0;
  const std::size_t got = source_.read_some(buffer_.data() + end_, buffer_.size() - end_);
  if (got == 0) at_end_ = true;
  end_ += got;
  return got > 0;
}

bool Line_Reader::next(std::string_view& line) {
  spill_.clear();
  bool started = false;  // some bytes of this line, or its break, were seen
  for (;;) {
    if (unread() == 0 && !fill()) {
      line = spill_;
      ascii_ = false;
      return started;
    }
    if (skip_line_feed_) {
      skip_line_feed_ = false;
      if (buffer_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    const char* s = buffer_.data();
    bool ascii = false;
    const std::size_t i = find_break(s, pos_, end_, ascii);
    if (i == end_) {
      spill_.append(s + pos_, i - pos_);
      started = started || i > pos_;
      pos_ = i;
      continue;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(s);
    // A three-byte break may be cut off by the end of the buffer: keep the
    // line up to it and read on.
    if (end_ - i < 3 && bytes[i] >= 0x80 && !at_end_) {
      spill_.append(s + pos_, i - pos_);
      started = true;
      pos_ = i;
      fill();
      continue;
    }
    const std::size_t length = break_length(bytes + i, end_ - i);
    if (length == 0) {
      spill_.append(s + pos_, i + 1 - pos_);
      started = true;
      pos_ = i + 1;
      continue;
    }
    if (spill_.empty()) {
      line = std::string_view(s + pos_, i - pos_);
      ascii_ = ascii;
    } else {
      ascii_ = false;
      spill_.append(s + pos_, i - pos_);
      line = spill_;
    }
    skip_line_feed_ = bytes[i] == '\r';
    pos_ = i + length;
    return true;
  }
}
