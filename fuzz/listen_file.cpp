// Whole files through `--listen` as it reads standard input: the streaming
// WAV reader (and the player's decoder for the WAVs it leaves), the listener
// and the conversion of what it heard.
// The last byte picks the output (Morse code or text) and the alphabet, so
// that every file stays a plain WAV image. Besides a crash, a failure without
// a message, or Morse output holding anything but dots, dashes, spaces and
// its closing line break, is a finding.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/listen_command.h"

namespace {

class Memory_Source final : public Byte_Source {
 public:
  Memory_Source(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t read_some(char* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, size_ - at_);
    if (n > 0) std::memcpy(buffer, data_ + at_, n);
    at_ += n;
    return n;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

class Memory_Sink final : public Byte_Sink {
 public:
  bool write(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};

void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "--listen: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  Listen_Request request;
  request.path = "-";
  if (size > 0) {
    request.morse = (data[size - 1] & 1) != 0;
    request.alphabet = (data[size - 1] >> 1) & 3;
  }
  Memory_Source in(data, size);
  Memory_Sink out;
  std::string error, notice;
  if (!listen_to_wav(request, in, out, error, notice)) {
    if (error.empty()) fail("failed without a message", "");
    return 0;
  }
  if (!out.text.empty() && out.text.back() != '\n') fail("output without its line break", out.text);
  if (request.morse && out.text.find_first_not_of(".- \n") != std::string::npos)
    fail("wrote something but Morse code", out.text);
  return 0;
}
