#include "cli/element_sounds.h"

#include <SDL.h>

#include <climits>
#include <cstdint>

#include "platform/linux/device_sound_decoder.h"
#include "platform/linux/sdl_library.h"
#include "sound/sound_file.h"

namespace {

// The rate and channels a WAV image holds, as the decoder reads its header.
std::optional<SDL_AudioSpec> format_of(const std::vector<unsigned char>& wav) {
  const Sdl_Library* sdl = sdl_library();
  if (sdl == nullptr || wav.empty() || wav.size() > INT_MAX) return std::nullopt;
  SDL_RWops* source = sdl->RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  if (source == nullptr) return std::nullopt;
  SDL_AudioSpec format{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (sdl->LoadWAV_RW(source, 1, &format, &samples, &length) == nullptr) return std::nullopt;
  sdl->FreeWAV(samples);
  return format;
}

}  // namespace

std::optional<Element_Sounds> load_element_sounds(const std::string& dot_path,
                                                  const std::string& dash_path,
                                                  std::string& error) {
  const Sound_File dot_file = read_sound_file(dot_path);
  const Sound_File dash_file = read_sound_file(dash_path);
  for (const Sound_File* f : {&dot_file, &dash_file}) {
    if (f->image == nullptr) {
      error = f->error;
      return std::nullopt;
    }
  }
  const auto undecodable = [&](const char* name, const std::string& path) {
    error =
        std::string("the ") + name + " sound \"" + path + "\" is no WAV file that can be played";
    return std::nullopt;
  };
  // Without the library no file decodes: that is the cause to name.
  if (sdl_library() == nullptr) {
    error = sdl_library_failure();
    return std::nullopt;
  }

  const std::optional<SDL_AudioSpec> dot_spec = format_of(*dot_file.image);
  if (!dot_spec || dot_spec->channels == 0 || dot_spec->freq <= 0)
    return undecodable("dot", dot_path);
  // The output's byte rate is a 32-bit field.
  if (std::uint64_t(dot_spec->freq) * dot_spec->channels * 2 > 0xFFFFFFFFu) {
    error = "the dot sound \"" + dot_path + "\" has a rate no WAV output can hold";
    return std::nullopt;
  }
  SDL_AudioSpec out{};
  out.freq = dot_spec->freq;
  out.channels = dot_spec->channels;
  out.format = AUDIO_S16LSB;

  const auto dot = decode_for_device(*dot_file.image, out);
  if (dot == nullptr) return undecodable("dot", dot_path);
  const auto dash = decode_for_device(*dash_file.image, out);
  if (dash == nullptr) return undecodable("dash", dash_path);
  Element_Sounds sounds;
  sounds.format = {out.freq, out.channels};
  sounds.dot = dot->bytes;
  sounds.dash = dash->bytes;
  return sounds;
}
