#include "platform/linux/sdl_audio_device.h"

#include "platform/linux/sdl_library.h"

std::unique_ptr<Sdl_Audio_Device> Sdl_Audio_Device::open(Callback callback, void* user) {
  const Sdl_Library* sdl = sdl_library();
  // Counted by the library: each open device holds the subsystem once.
  if (sdl == nullptr || sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  SDL_AudioSpec want{};
  want.freq = kDevice_Rate;
  want.format = AUDIO_F32SYS;
  want.channels = kDevice_Channels;
  want.samples = kDevice_Buffer_Frames;
  want.callback = callback;
  want.userdata = user;
  SDL_AudioSpec have{};
  // The buffer size may not change: the library converts for the hardware
  // rather than hand the callback buffers of another length.
  const SDL_AudioDeviceID id = sdl->OpenAudioDevice(
      nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (id == 0) {
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::unique_ptr<Sdl_Audio_Device>(new Sdl_Audio_Device(id, have));
}

Sdl_Audio_Device::~Sdl_Audio_Device() {
  // Returns once the device's thread has left the callback for good.
  sdl_library()->CloseAudioDevice(id_);
  sdl_library()->QuitSubSystem(SDL_INIT_AUDIO);
}

void Sdl_Audio_Device::resume() { sdl_library()->PauseAudioDevice(id_, 0); }
