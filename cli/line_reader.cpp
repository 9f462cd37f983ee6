#include "cli/line_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Bytes that may start a break: the controls themselves, and the lead byte
// of the three-byte breaks.
constexpr std::array<bool, 256> may_break = [] {
  std::array<bool, 256> t{};
  t['\n'] = t['\r'] = t[0xE2] = t[0xEF] = true;
  return t;
}();

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
  // Only a few bytes of a break that was cut off are ever kept.
  std::memmove(buffer_.data(), buffer_.data() + pos_, unread());
  end_ = unread();
  pos_ = 0;
  const std::size_t got = source_.read_some(buffer_.data() + end_, buffer_.size() - end_);
  if (got == 0) at_end_ = true;
  end_ += got;
  return got > 0;
}

bool Line_Reader::next(std::string& line) {
  line.clear();
  bool started = false;  // some bytes of this line, or its break, were seen
  for (;;) {
    if (unread() == 0 && !fill()) return started;
    if (skip_line_feed_) {
      skip_line_feed_ = false;
      if (buffer_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.data());
    std::size_t i = pos_;
    while (i < end_ && !may_break[bytes[i]]) ++i;
    if (i == end_) {
      line.append(buffer_.data() + pos_, i - pos_);
      started = started || i > pos_;
      pos_ = i;
      continue;
    }
    // A three-byte break may be cut off by the end of the buffer: take the
    // line up to it and read on.
    if (end_ - i < 3 && bytes[i] >= 0x80 && !at_end_) {
      line.append(buffer_.data() + pos_, i - pos_);
      started = true;
      pos_ = i;
      fill();
      continue;
    }
    const std::size_t length = break_length(bytes + i, end_ - i);
    if (length == 0) {
      line.append(buffer_.data() + pos_, i + 1 - pos_);
      started = true;
      pos_ = i + 1;
      continue;
    }
    line.append(buffer_.data() + pos_, i - pos_);
    skip_line_feed_ = bytes[i] == '\r';
    pos_ = i + length;
    return true;
  }
}
