// The same two loops over the peer library's one-lookup-per-character and one-lookup-per-token
// calls, on the same mixed text as BM_Mixed_*, so that the ratio is read off one run. Built
// only when libcw-dev is installed.
#include <benchmark/benchmark.h>
#include <libcw.h>

#include <cstdlib>
#include <cstring>

#include "bench/mixed_text.h"

namespace {

// Writes what text_line_to_morse writes: each code followed by one space, a space as two.
std::string libcw_text_to_morse(const std::string& line) {
  std::string out;
  for (const char ch : line) {
    if (ch == ' ') {
      out += "  ";
      continue;
    }
    char* code = cw_character_to_representation(static_cast<unsigned char>(ch));
    if (code == nullptr) continue;
    out += code;
    out += ' ';
    std::free(code);
  }
  return out;
}

// Tokens split at spaces; a gap of two or more spaces gives one space.
std::string libcw_morse_to_text(const std::string& line) {
  std::string out;
  char token[32];
  std::size_t at = 0;
  while (at < line.size()) {
    if (line[at] == ' ') {
      std::size_t end = at;
      while (end < line.size() && line[end] == ' ') ++end;
      if (end - at >= 2 && at != 0 && end != line.size()) out += ' ';
      at = end;
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ') ++end;
    const std::size_t n = end - at;
    if (n < sizeof token) {
      std::memcpy(token, line.data() + at, n);
      token[n] = '\0';
      const int ch = cw_representation_to_character(token);
      if (ch > 0) out += static_cast<char>(ch);
    }
    at = end;
  }
  return out;
}

void BM_Mixed_TextToMorse_Libcw(benchmark::State& state) {
  const auto& lines = mixed_text::text_lines();
  for (auto _ : state) {
    for (const std::string& line : lines) benchmark::DoNotOptimize(libcw_text_to_morse(line));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mixed_text::kBytes));
}
BENCHMARK(BM_Mixed_TextToMorse_Libcw)->Unit(benchmark::kMillisecond);

void BM_Mixed_MorseToText_Libcw(benchmark::State& state) {
  const auto& lines = mixed_text::morse_lines();
  for (auto _ : state) {
    for (const std::string& line : lines) benchmark::DoNotOptimize(libcw_morse_to_text(line));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mixed_text::kBytes));
}
BENCHMARK(BM_Mixed_MorseToText_Libcw)->Unit(benchmark::kMillisecond);

}  // namespace
