// Decoding WAV images whose chunk sizes claim more than the image holds: the
// samples that are there play, as with honest sizes.
#include "platform/linux/device_sound_decoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/linux/sdl_audio_device.h"
#include "wav_images.h"

namespace {

SDL_AudioSpec device_format() {
  SDL_AudioSpec format{};
  format.freq = kDevice_Rate;
  format.format = AUDIO_F32SYS;
  format.channels = kDevice_Channels;
  return format;
}

void set_u32(std::vector<unsigned char>& image, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// The library's allocations go through here while a test runs, and any of
// more than 64 MB fails, as it may on a machine without that much to spare.
class Small_Allocations {
 public:
  Small_Allocations() {
    SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
    original_malloc = malloc_;
    original_realloc = realloc_;
    SDL_SetMemoryFunctions(small_malloc, calloc_, small_realloc, free_);
  }
  ~Small_Allocations() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }

 private:
  static constexpr std::size_t kLimit = std::size_t{64} << 20;
  static void* small_malloc(std::size_t n) { return n > kLimit ? nullptr : original_malloc(n); }
  static void* small_realloc(void* p, std::size_t n) {
    return n > kLimit ? nullptr : original_realloc(p, n);
  }
  static inline SDL_malloc_func original_malloc = nullptr;
  static inline SDL_realloc_func original_realloc = nullptr;

  SDL_malloc_func malloc_;
  SDL_calloc_func calloc_;
  SDL_realloc_func realloc_;
  SDL_free_func free_;
};

constexpr std::size_t kFmt_Size_At = 16;
constexpr std::size_t kData_Size_At = 40;

TEST(DeviceSoundDecoder, DataChunkClaimingGigabytesPlaysWhatIsThere) {
  const std::vector<unsigned char> honest = wav_bytes(Tone{.milliseconds = 20});
  std::vector<unsigned char> claiming = honest;
  set_u32(claiming, kData_Size_At, 0xFFFFFFF0u);
  set_u32(claiming, 4, 0xFFFFFFFFu);  // and the whole file as much

  const Small_Allocations small;
  const auto expected = decode_for_device(honest, device_format());
  const auto decoded = decode_for_device(claiming, device_format());
  ASSERT_NE(expected, nullptr);
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->frames, expected->frames);
  EXPECT_EQ(decoded->bytes, expected->bytes);
  // The caller's image is left as it was.
  EXPECT_EQ(claiming[kData_Size_At + 3], 0xFF);

  // The same without the leading "RIFF" and its size, which the library
  // reads as well.
  const std::vector<unsigned char> bare(claiming.begin() + 8, claiming.end());
  const auto decoded_bare = decode_for_device(bare, device_format());
  ASSERT_NE(decoded_bare, nullptr);
  EXPECT_EQ(decoded_bare->bytes, expected->bytes);
}

TEST(DeviceSoundDecoder, OddLastChunksWithoutTheirPadBytePlay) {
  // 11 frames of 8 bits: an odd data chunk, which ends the file without the
  // pad byte that would make it even.
  const std::vector<unsigned char> odd =
      wav_bytes(Tone{.milliseconds = 1, .rate = 11025, .format = Sample_Format::Unsigned8});
  ASSERT_EQ(odd.size() % 2, 1u);
  std::vector<unsigned char> padded = odd;
  padded.push_back(0);
  std::vector<unsigned char> odd_chunk_after = padded;  // a one-byte chunk after the data
  odd_chunk_after.insert(odd_chunk_after.end(), {'j', 'u', 'n', 'k', 1, 0, 0, 0, 'x'});

  const auto expected = decode_for_device(padded, device_format());
  ASSERT_NE(expected, nullptr);
  for (const std::vector<unsigned char>& image : {odd, odd_chunk_after}) {
    const auto decoded = decode_for_device(image, device_format());
    ASSERT_NE(decoded, nullptr) << image.size();
    EXPECT_EQ(decoded->bytes, expected->bytes) << image.size();
  }
}

TEST(DeviceSoundDecoder, CutOrOversizedHeadersGiveNoSound) {
  std::vector<unsigned char> image = wav_bytes(Tone{.milliseconds = 20});
  set_u32(image, kFmt_Size_At, 0xFFFFFFF0u);  // the format chunk swallows the rest
  EXPECT_EQ(decode_for_device(image, device_format()), nullptr);
  const std::vector<unsigned char> whole = wav_bytes(Tone{.milliseconds = 20});
  for (std::size_t size : {std::size_t{1}, std::size_t{12}, std::size_t{30}, std::size_t{44}}) {
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
    EXPECT_EQ(decode_for_device(cut, device_format()), nullptr) << size;
  }
}

}  // namespace
