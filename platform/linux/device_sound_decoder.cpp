#include "platform/linux/device_sound_decoder.h"

#include "engine/riff_chunks.h"
#include "platform/linux/sdl_library.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

struct Wav_Buffer_Free {
  void operator()(Uint8* p) const { sdl_library()->FreeWAV(p); }
};

std::int64_t frame_bytes(SDL_AudioFormat format, int channels) {
  return SDL_AUDIO_BITSIZE(format) / 8 * channels;
}

void write_u32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// The library allocates a chunk's declared size before it reads the chunk, so
// a few bytes that claim a 4 GB data chunk would ask for 4 GB. No chunk can
// hold more than the image has left, so the first one that claims more has
// its size cut to that, on a copy; the library then reads the very bytes it
// would have read. Null when no chunk needs it.
std::unique_ptr<std::vector<unsigned char>> with_chunk_sizes_cut(
    const std::vector<unsigned char>& wav) {
  for (Riff_Walker chunks(wav); const auto chunk = chunks.next();) {
    if (chunk->cut_short()) {
      auto cut = std::make_unique<std::vector<unsigned char>>(wav);
      write_u32(&(*cut)[chunk->header + 4], static_cast<std::uint32_t>(chunk->available));
      return cut;
    }
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<const Device_Sound> decode_for_device(const std::vector<unsigned char>& wav,
                                                      const SDL_AudioSpec& device) {
  // The library measures memory and samples in int.
  if (wav.empty() || wav.size() > INT_MAX) return nullptr;
  const Sdl_Library* sdl = sdl_library();
  if (sdl == nullptr) return nullptr;
  const auto cut = with_chunk_sizes_cut(wav);
  const std::vector<unsigned char>& image = cut ? *cut : wav;
  SDL_RWops* source = sdl->RWFromConstMem(image.data(), static_cast<int>(image.size()));
  if (source == nullptr) return nullptr;
  SDL_AudioSpec wav_format{};
  Uint8* raw = nullptr;
  Uint32 raw_bytes = 0;
  if (sdl->LoadWAV_RW(source, 1, &wav_format, &raw, &raw_bytes) == nullptr) return nullptr;
  const std::unique_ptr<Uint8, Wav_Buffer_Free> samples(raw);

  const std::int64_t in_frame = frame_bytes(wav_format.format, wav_format.channels);
  const std::int64_t out_frame = frame_bytes(device.format, device.channels);
  if (in_frame <= 0) return nullptr;
  const std::int64_t in_bytes = raw_bytes / in_frame * in_frame;
  if (in_bytes == 0) return nullptr;

  // Converted in one piece: the library's streaming converter loses the last
  // milliseconds of a resampled sound when flushed.
  SDL_AudioCVT cvt;
  if (sdl->BuildAudioCVT(&cvt, wav_format.format, wav_format.channels, wav_format.freq,
                         device.format, device.channels, device.freq) < 0)
    return nullptr;
  // Refuse what would not fit the library's int counts, rather than let a
  // strange rate in a small file ask for gigabytes.
  if (in_bytes * cvt.len_mult > INT_MAX) return nullptr;
  auto sound = std::make_shared<Device_Sound>();
  sound->bytes.resize(static_cast<std::size_t>(in_bytes * cvt.len_mult));
  std::memcpy(sound->bytes.data(), samples.get(), static_cast<std::size_t>(in_bytes));
  cvt.buf = sound->bytes.data();
  cvt.len = static_cast<int>(in_bytes);
  if (sdl->ConvertAudio(&cvt) != 0) return nullptr;

  sound->frames = cvt.len_cvt / out_frame;
  if (sound->frames == 0) return nullptr;
  sound->bytes.resize(static_cast<std::size_t>(sound->frames * out_frame));
  sound->bytes.shrink_to_fit();
  return sound;
}
