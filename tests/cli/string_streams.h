#pragma once
// The command line's streams over strings. The source hands out its bytes in
// pieces of a chosen size, so that lines and breaks fall across reads.

#include <algorithm>
#include <cstring>
#include <string>

#include "cli/byte_streams.h"

class String_Source final : public Byte_Source {
 public:
  explicit String_Source(std::string bytes, std::size_t piece = 1 << 16)
      : bytes_(std::move(bytes)), piece_(piece) {}
  std::size_t read_some(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, piece_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t piece_;
  std::size_t at_ = 0;
};

class String_Sink final : public Byte_Sink {
 public:
  bool write(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};
