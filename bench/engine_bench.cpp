// Engine throughput: both conversions over about 10 MB of lines, single long lines of two
// sizes (N and 4N) to read linearity off, and the string routines on a 1 MB string.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench/mixed_text.h"
#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "engine/strutil.h"
#include "engine/text_to_morse.h"

namespace {

const TMorse_Code_Table& english_table() {
  static const TMorse_Code_Table table = [] {
    TMorse_Code_Table t;
    Build_Morse_Code_Table(t, kAlphabet_English);
    return t;
  }();
  return table;
}

// English-looking text: words from a small list, with punctuation and digits now and then.
std::string english_text(std::size_t bytes, unsigned seed) {
  static const char* const kWords[] = {"the",  "quick", "brown", "fox",  "jumps",   "over",
                                       "lazy", "dog",   "Morse", "code", "signal",  "and",
                                       "of",   "to",    "in",    "is",   "radio",   "73,",
                                       "QTH?", "it's",  "end.",  "CQ",   "station", "1944"};
  std::mt19937 gen(seed);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kWords) - 1);
  std::string s;
  s.reserve(bytes + 16);
  while (s.size() < bytes) {
    s += kWords[pick(gen)];
    s += ' ';
  }
  s.resize(bytes);
  return s;
}

std::vector<std::string> text_lines(std::size_t total_bytes) {
  const std::string text = english_text(total_bytes, 7);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size(); at += 80) lines.push_back(text.substr(at, 80));
  return lines;
}

// Morse lines of about total_bytes in all, as the text-to-Morse conversion writes them.
std::vector<std::string> morse_lines(std::size_t total_bytes) {
  std::vector<std::string> lines;
  std::size_t size = 0;
  for (const std::string& line : text_lines(total_bytes / 4)) {
    lines.push_back(text_line_to_morse(english_table(), line));
    size += lines.back().size();
    if (size >= total_bytes) break;
  }
  return lines;
}

constexpr std::size_t kTen_MB = 10 << 20;

void BM_TextToMorse_10MB(benchmark::State& state) {
  const std::vector<std::string> lines = text_lines(kTen_MB);
  for (auto _ : state) {
    for (const std::string& line : lines) {
      benchmark::DoNotOptimize(text_line_to_morse(english_table(), line));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTen_MB));
}
BENCHMARK(BM_TextToMorse_10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MorseToText_10MB(benchmark::State& state) {
  const std::vector<std::string> lines = morse_lines(kTen_MB);
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  for (auto _ : state) {
    for (const std::string& line : lines) {
      benchmark::DoNotOptimize(morse_line_to_text(english_table(), line));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MorseToText_10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// One line of state.range(0) bytes of text, and the same text as one Morse line.
void BM_TextToMorse_OneLine(benchmark::State& state) {
  const std::string line = english_text(static_cast<std::size_t>(state.range(0)), 11);
  for (auto _ : state) benchmark::DoNotOptimize(text_line_to_morse(english_table(), line));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TextToMorse_OneLine)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

void BM_MorseToText_OneLine(benchmark::State& state) {
  std::string line = text_line_to_morse(english_table(), english_text(1 << 20, 13));
  line.resize(static_cast<std::size_t>(state.range(0)) / 4);
  while (line.size() < static_cast<std::size_t>(state.range(0))) line += line;
  line.resize(static_cast<std::size_t>(state.range(0)));
  int tokens = 0;
  const std::function<void()> count = [&tokens] { ++tokens; };
  for (auto _ : state) benchmark::DoNotOptimize(morse_line_to_text(english_table(), line, count));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MorseToText_OneLine)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

// Both directions on the comparison input, counted in bytes of text (libcw_peer.cpp runs the
// peer library's loops on the same lines when it is installed).
void BM_Mixed_TextToMorse(benchmark::State& state) {
  const auto& lines = mixed_text::text_lines();
  for (auto _ : state) {
    for (const std::string& line : lines) {
      benchmark::DoNotOptimize(text_line_to_morse(mixed_text::english(), line));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mixed_text::kBytes));
}
BENCHMARK(BM_Mixed_TextToMorse)->Unit(benchmark::kMillisecond);

void BM_Mixed_MorseToText(benchmark::State& state) {
  const auto& lines = mixed_text::morse_lines();
  for (auto _ : state) {
    for (const std::string& line : lines) {
      benchmark::DoNotOptimize(morse_line_to_text(mixed_text::english(), line));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mixed_text::kBytes));
}
BENCHMARK(BM_Mixed_MorseToText)->Unit(benchmark::kMillisecond);

constexpr std::size_t kOne_MB = 1 << 20;

void BM_ReplaceAll_Ampersand_1MB(benchmark::State& state) {
  std::string s = english_text(kOne_MB, 17);
  for (std::size_t i = 0; i < s.size(); i += 37) s[i] = '&';
  for (auto _ : state) benchmark::DoNotOptimize(STRUTIL_Replace_All(s, "&", "."));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOne_MB));
}
BENCHMARK(BM_ReplaceAll_Ampersand_1MB)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll_DotToWord_1MB(benchmark::State& state) {
  const std::string s =
      text_line_to_morse(english_table(), english_text(kOne_MB / 4, 19)).substr(0, kOne_MB);
  for (auto _ : state) benchmark::DoNotOptimize(STRUTIL_Replace_All(s, ".", "Dot "));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_ReplaceAll_DotToWord_1MB)->Unit(benchmark::kMillisecond);

// Nested "STST..OPOP": every deletion forms the next occurrence.
std::string nested_stop(std::size_t bytes) {
  std::string s;
  for (std::size_t i = 0; i < bytes / 4; ++i) s += "ST";
  for (std::size_t i = 0; i < bytes / 4; ++i) s += "OP";
  return s;
}

void BM_ReplaceAll_NestedDeletion_1MB(benchmark::State& state) {
  const std::string s = nested_stop(kOne_MB);
  for (auto _ : state) benchmark::DoNotOptimize(STRUTIL_Replace_All(s, "STOP", ""));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_ReplaceAll_NestedDeletion_1MB)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll_Backslashes_1MB(benchmark::State& state) {
  const std::string s(kOne_MB, '\\');
  for (auto _ : state) benchmark::DoNotOptimize(STRUTIL_Replace_All(s, "\\\\", "\\"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_ReplaceAll_Backslashes_1MB)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll_FindInReplace_1MB(benchmark::State& state) {
  const std::string s = english_text(kOne_MB, 23);
  for (auto _ : state) benchmark::DoNotOptimize(STRUTIL_Replace_All(s, "o", "oo"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOne_MB));
}
BENCHMARK(BM_ReplaceAll_FindInReplace_1MB)->Unit(benchmark::kMillisecond);

void BM_CountOccurrences_Morse_1MB(benchmark::State& state) {
  const std::string s =
      text_line_to_morse(english_table(), english_text(kOne_MB / 4, 29)).substr(0, kOne_MB);
  for (auto _ : state) {
    benchmark::DoNotOptimize(STRUTIL_Count_Occurrences(s, ".") + STRUTIL_Count_Occurrences(s, "-") +
                             STRUTIL_Count_Occurrences(s, " ") +
                             STRUTIL_Count_Occurrences(s, "STOP"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_CountOccurrences_Morse_1MB)->Unit(benchmark::kMillisecond);

void BM_CountOccurrences_NestedStop_1MB(benchmark::State& state) {
  const std::string s = nested_stop(kOne_MB);
  for (auto _ : state) benchmark::DoNotOptimize(STRUTIL_Count_Occurrences(s, "STOP"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_CountOccurrences_NestedStop_1MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
