// The listener on any samples at any rate: silence, noise, clipped or broken
// values (NaN, infinities, denormals) and tones that come and go. Besides a
// crash, anything in its output but dots, dashes and spaces is a finding.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "listen/morse_listener.h"

namespace {

void expect_morse(const std::string& out) {
  if (out.find_first_not_of(".- ") == std::string::npos) return;
  std::fprintf(stderr, "the listener wrote something but Morse code: %zu bytes\n", out.size());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const double rate = input.ConsumeIntegralInRange<int>(2000, 192000);
  // Fed in blocks of the input's choosing, as a file is read.
  const std::size_t block = input.ConsumeIntegralInRange<std::size_t>(1, 4096);
  std::vector<float> samples(input.remaining_bytes() / sizeof(float));
  if (!samples.empty()) input.ConsumeData(samples.data(), samples.size() * sizeof(float));

  Morse_Listener listener(rate);
  for (std::size_t at = 0; at < samples.size(); at += block) {
    listener.feed(samples.data() + at, std::min(block, samples.size() - at));
    expect_morse(listener.take());
  }
  listener.finish();
  expect_morse(listener.take());
  return 0;
}
