#pragma once
// The sound library's calls that the player and the WAV decoder make, taken
// from the library when it is first needed instead of when the program
// starts: the library brings some thirty libraries of its own (sound servers,
// codecs, crypto), which a window that is still drawing its first frame, and
// the command line's conversions, need not load.

#include <SDL.h>

struct Sdl_Library {
  decltype(&SDL_SetHint) SetHint;
  decltype(&SDL_InitSubSystem) InitSubSystem;
  decltype(&SDL_QuitSubSystem) QuitSubSystem;
  decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
  decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
  decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
  decltype(&SDL_RWFromConstMem) RWFromConstMem;
  decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
  decltype(&SDL_FreeWAV) FreeWAV;
  decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
  decltype(&SDL_ConvertAudio) ConvertAudio;
};

// Loaded once, on the first call from any thread; null when the library or
// one of its calls is missing, which plays as no sound device.
const Sdl_Library* sdl_library();
