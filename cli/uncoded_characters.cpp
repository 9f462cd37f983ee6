#include "cli/uncoded_characters.h"

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define TAPWRENZ_SSSE3_COUNT 1
#endif

namespace {

std::uint64_t count_scalar(const std::array<bool, 256>& uncoded, std::string_view bytes) {
  std::uint64_t n = 0;
  for (const char c : bytes) n += uncoded[static_cast<unsigned char>(c)];
  return n;
}

#if TAPWRENZ_SSSE3_COUNT
// Set membership by two table look-ups of sixteen bytes each: the low nibble
// picks a row of high-nibble bits, the high nibble picks its bit. Bytes above
// ASCII have no bit and are never counted.
__attribute__((target("ssse3"))) std::uint64_t count_ssse3(const unsigned char* rows,
                                                           const std::array<bool, 256>& uncoded,
                                                           std::string_view line) {
  const __m128i by_low = _mm_load_si128(reinterpret_cast<const __m128i*>(rows));
  const __m128i bit_of_high = _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0);
  const __m128i nibble = _mm_set1_epi8(0x0F);
  const __m128i zero = _mm_setzero_si128();
  const char* s = line.data();
  std::size_t i = 0;
  std::uint64_t n = 0;
  while (i + 16 <= line.size()) {
    // Up to 255 steps into byte counters, then added up.
    __m128i counts = zero;
    for (int steps = 0; steps < 255 && i + 16 <= line.size(); ++steps, i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      const __m128i row = _mm_shuffle_epi8(by_low, _mm_and_si128(v, nibble));
      const __m128i bit =
          _mm_shuffle_epi8(bit_of_high, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
      const __m128i absent = _mm_cmpeq_epi8(_mm_and_si128(row, bit), zero);
      counts = _mm_sub_epi8(counts, _mm_andnot_si128(absent, _mm_set1_epi8(-1)));
    }
    const __m128i sums = _mm_sad_epu8(counts, zero);
    n += static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  }
  return n + count_scalar(uncoded, line.substr(i));
}
#endif

}  // namespace

Uncoded_Characters::Uncoded_Characters(const TMorse_Code_Table& table) {
#if TAPWRENZ_SSSE3_COUNT
  __builtin_cpu_init();
  ssse3_ = __builtin_cpu_supports("ssse3") != 0;
#endif
  const auto& codes = table.text_codes();
  for (int b = 0; b < 256; ++b) {
    uncoded_[b] = codes[b].empty();
    if (b < 0x80 && uncoded_[b]) ascii_rows_[b & 0x0F] |= static_cast<unsigned char>(1 << (b >> 4));
  }
}

void Uncoded_Characters::add_ascii_line(std::string_view line) {
#if TAPWRENZ_SSSE3_COUNT
  if (ssse3_) {
    count_ += count_ssse3(ascii_rows_, uncoded_, line);
    return;
  }
#endif
  count_ += count_scalar(uncoded_, line);
}

void Uncoded_Characters::add_encoded_line(std::string_view utf8, std::string_view bytes) {
  std::uint64_t characters = 0;
  for (const char c : utf8) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  // Every byte of the code page came from one character, so this is what the page dropped.
  count_ += characters - bytes.size() + count_scalar(uncoded_, bytes);
}

std::string uncoded_notice(std::uint64_t count, int alphabet) {
  if (count == 0) return {};
  constexpr const char* names[] = {"English", "European", "Norwegian", "Russian"};
  const char* name = alphabet >= 0 && alphabet < 4 ? names[alphabet] : "chosen";
  return std::to_string(count) + (count == 1 ? " character had" : " characters had") +
         " no code in the " + name + " alphabet and " + (count == 1 ? "was" : "were") + " left out";
}
