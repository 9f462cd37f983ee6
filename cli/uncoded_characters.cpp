#include "cli/uncoded_characters.h"

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define TAPWRENZ_SIMD_COUNT 1
#endif

namespace {

std::uint64_t count_scalar(const std::array<bool, 256>& uncoded, std::string_view bytes) {
  std::uint64_t n = 0;
  for (const char c : bytes) n += uncoded[static_cast<unsigned char>(c)];
  return n;
}

#if TAPWRENZ_SIMD_COUNT
// Set membership by two table look-ups of sixteen bytes each: the low nibble
// picks a row of high-nibble bits, the high nibble picks its bit. Bytes above
// ASCII have no bit and are never counted. Each lane counts 1 for a member.
struct Ascii_Set_Lookup {
  __m128i by_low;
  __m128i bit_of_high;
  __m128i nibble;
  __m128i one;
};

__attribute__((target("ssse3"))) inline __m128i members(const Ascii_Set_Lookup& set, __m128i v) {
  const __m128i row = _mm_shuffle_epi8(set.by_low, _mm_and_si128(v, set.nibble));
  const __m128i bit =
      _mm_shuffle_epi8(set.bit_of_high, _mm_and_si128(_mm_srli_epi16(v, 4), set.nibble));
  return _mm_min_epu8(_mm_and_si128(row, bit), set.one);
}

__attribute__((target("ssse3"))) inline std::uint64_t lane_sum(__m128i counts) {
  const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
  return static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
}

// Zero for the first 16 bytes, then all ones: sixteen bytes loaded from
// `tail` on keep the last `tail` lanes.
alignas(16) constexpr unsigned char last_lanes[32] = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

__attribute__((target("ssse3"))) std::uint64_t count_ssse3(const unsigned char* rows,
                                                           const std::array<bool, 256>& uncoded,
                                                           std::string_view line) {
  if (line.size() < 16) return count_scalar(uncoded, line);
  const Ascii_Set_Lookup set{_mm_load_si128(reinterpret_cast<const __m128i*>(rows)),
                             _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0),
                             _mm_set1_epi8(0x0F), _mm_set1_epi8(1)};
  const char* s = line.data();
  const std::size_t size = line.size();
  std::size_t i = 0;
  std::uint64_t n = 0;
  while (i + 16 <= size) {
    // Up to 255 steps in byte lanes, then added up.
    __m128i counts = _mm_setzero_si128();
    for (int steps = 0; steps < 255 && i + 16 <= size; ++steps, i += 16)
      counts = _mm_add_epi8(counts,
                            members(set, _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i))));
    n += lane_sum(counts);
  }
  // The last bytes, as the end of the line's last sixteen.
  if (const std::size_t tail = size - i; tail > 0) {
    const __m128i last =
        members(set, _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + size - 16)));
    n += lane_sum(
        _mm_and_si128(last, _mm_loadu_si128(reinterpret_cast<const __m128i*>(last_lanes + tail))));
  }
  return n;
}

// The same, thirty-two bytes a step; the tables repeat in both halves, as
// each half looks up on its own.
__attribute__((target("avx2"))) inline __m256i members(const __m256i& by_low,
                                                       const __m256i& bit_of_high, __m256i v) {
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i row = _mm256_shuffle_epi8(by_low, _mm256_and_si256(v, nibble));
  const __m256i bit =
      _mm256_shuffle_epi8(bit_of_high, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
  return _mm256_min_epu8(_mm256_and_si256(row, bit), _mm256_set1_epi8(1));
}

__attribute__((target("avx2"))) inline std::uint64_t lane_sum(__m256i counts) {
  const __m256i sums = _mm256_sad_epu8(counts, _mm256_setzero_si256());
  return static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 0)) +
         static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 1)) +
         static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 2)) +
         static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 3));
}

alignas(32) constexpr unsigned char last_lanes_32[64] = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Lanes carry their counts from line to line in `lanes`, added up only every
// 255 steps, as most lines take two or three steps.
__attribute__((target("avx2"))) std::uint64_t count_avx2(const unsigned char* rows,
                                                         const std::array<bool, 256>& uncoded,
                                                         std::string_view line,
                                                         unsigned char* lanes, int& steps) {
  if (line.size() < 32) return count_ssse3(rows, uncoded, line);
  const __m256i by_low =
      _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(rows)));
  const __m256i bit_of_high = _mm256_broadcastsi128_si256(
      _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0));
  const char* s = line.data();
  const std::size_t size = line.size();
  __m256i counts = _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes));
  std::uint64_t n = 0;
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    if (steps == 255) {
      n += lane_sum(counts);
      counts = _mm256_setzero_si256();
      steps = 0;
    }
    counts = _mm256_add_epi8(
        counts,
        members(by_low, bit_of_high, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i))));
    ++steps;
  }
  // The last bytes, as the end of the line's last thirty-two.
  if (const std::size_t tail = size - i; tail > 0) {
    if (steps == 255) {
      n += lane_sum(counts);
      counts = _mm256_setzero_si256();
      steps = 0;
    }
    const __m256i last = members(
        by_low, bit_of_high, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + size - 32)));
    counts = _mm256_add_epi8(
        counts,
        _mm256_and_si256(
            last, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(last_lanes_32 + tail))));
    ++steps;
  }
  _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), counts);
  return n;
}
#endif

}  // namespace

Uncoded_Characters::Uncoded_Characters(const TMorse_Code_Table& table, Simd widest) {
#if TAPWRENZ_SIMD_COUNT
  __builtin_cpu_init();
  if (widest == Simd::Avx2 && __builtin_cpu_supports("avx2"))
    simd_ = Simd::Avx2;
  else if (widest != Simd::None && __builtin_cpu_supports("ssse3"))
    simd_ = Simd::Ssse3;
#else
  (void)widest;
#endif
  const auto& codes = table.text_codes();
  for (int b = 0; b < 256; ++b) {
    uncoded_[b] = codes[b].empty();
    if (b < 0x80 && uncoded_[b]) ascii_rows_[b & 0x0F] |= static_cast<unsigned char>(1 << (b >> 4));
  }
}

void Uncoded_Characters::add_ascii_line(std::string_view line) {
#if TAPWRENZ_SIMD_COUNT
  if (simd_ == Simd::Avx2) {
    count_ += count_avx2(ascii_rows_, uncoded_, line, lanes_, lane_steps_);
    return;
  }
  if (simd_ == Simd::Ssse3) {
    count_ += count_ssse3(ascii_rows_, uncoded_, line);
    return;
  }
#endif
  count_ += count_scalar(uncoded_, line);
}

std::uint64_t Uncoded_Characters::count() const {
  std::uint64_t n = count_;
  for (const unsigned char lane : lanes_) n += lane;
  return n;
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
