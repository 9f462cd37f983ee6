#pragma once
// The sound library's calls that the player and the WAV decoder make, taken
// from the library when it is first needed instead of when the program
// starts: the library brings some thirty libraries of its own (sound servers,
// codecs, crypto), which a window that is still drawing its first frame, and
// the command line's conversions, need not load.

#include <SDL.h>

#include <string>

// The library's name as the package's dependencies must provide it.
inline constexpr char kSdl_Library_Name[] = "libSDL2-2.0.so.0";

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
  decltype(&SDL_GetNumAudioDevices) GetNumAudioDevices;
  decltype(&SDL_GetAudioDeviceName) GetAudioDeviceName;
  decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
  decltype(&SDL_GetError) GetError;
  // Frees the block the library keeps for the calling thread (its error
  // text), which it frees by itself only for threads it made. Null in a
  // library older than 2.0.16.
  decltype(&SDL_TLSCleanup) TLSCleanup;
};

// Loaded once, on the first call from any thread; null when the library or
// one of its calls is missing.
const Sdl_Library* sdl_library();

// Why sdl_library() is null, as one message for a user: "the sound library
// libSDL2-2.0.so.0 could not be loaded: <the loader's reason>". Empty when the
// library is loaded.
std::string sdl_library_failure();

// A thread of ours that called the library calls this before it ends.
void sdl_library_thread_done();

// Loads the library of this name in place of the one loaded so far, for tests
// of what a missing library does (kSdl_Library_Name sets it back). Nothing may
// be playing.
void load_sdl_library_named(const std::string& name);
