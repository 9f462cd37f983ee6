#pragma once
// The one sound output the player uses: the sound library's audio subsystem
// and its default device, opened together and closed together.

#include <SDL.h>

#include <memory>

// What the device is asked for. The library may change the rate and the
// number of channels to the hardware's own; the samples stay 32-bit floats.
// A buffer of 5 ms lets a click be heard at once, and is a whole number of
// milliseconds for the drivers that pace themselves with millisecond sleeps.
inline constexpr int kDevice_Rate = 48000;
inline constexpr int kDevice_Channels = 2;
inline constexpr int kDevice_Buffer_Frames = 240;

class Sdl_Audio_Device {
 public:
  using Callback = void (*)(void* user, Uint8* out, int bytes);

  // Null when there is no sound output (no driver, no device). The device
  // starts paused: nothing calls `callback` before `resume()`.
  static std::unique_ptr<Sdl_Audio_Device> open(Callback callback, void* user);
  ~Sdl_Audio_Device();
  Sdl_Audio_Device(const Sdl_Audio_Device&) = delete;
  Sdl_Audio_Device& operator=(const Sdl_Audio_Device&) = delete;

  const SDL_AudioSpec& format() const { return format_; }
  int frame_bytes() const { return SDL_AUDIO_BITSIZE(format_.format) / 8 * format_.channels; }
  void resume();

 private:
  Sdl_Audio_Device(SDL_AudioDeviceID id, const SDL_AudioSpec& format) : id_(id), format_(format) {}

  SDL_AudioDeviceID id_;
  SDL_AudioSpec format_;  // what the device was opened with
};
