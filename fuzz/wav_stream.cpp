// The streaming WAV reader on any bytes, fed in blocks of the input's
// choosing: besides a crash or a read beyond the bytes, a result that
// depends on the block size is a finding, since a pipe may cut the file
// anywhere.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "listen/wav_stream.h"

namespace {

Wav_Stream read(const unsigned char* data, std::size_t size, std::size_t block) {
  Wav_Stream wav;
  for (std::size_t at = 0; at < size; at += block) wav.feed(data + at, std::min(block, size - at));
  return wav;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t block = std::size_t{data[0]} % 64 + 1;
  ++data;
  --size;
  Wav_Stream whole = read(data, size, size == 0 ? 1 : size);
  Wav_Stream pieces = read(data, size, block);
  const auto& a = whole.samples();
  const auto& b = pieces.samples();
  if (whole.state() != pieces.state() || a.size() != b.size() ||
      (!a.empty() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) != 0)) {
    std::fprintf(stderr, "the samples depend on the block size (%zu)\n", block);
    std::abort();
  }
  return 0;
}
