#include "platform/linux/sdl_library.h"

#include <dlfcn.h>

#include <optional>

namespace {

template <class Function>
bool take(void* library, const char* name, Function& call) {
  call = reinterpret_cast<Function>(dlsym(library, name));
  return call != nullptr;
}

std::optional<Sdl_Library> load() {
  // Never closed: the device's thread and the decoded sounds outlive any
  // owner the program has.
  void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return std::nullopt;
  Sdl_Library sdl{};
  const bool complete = take(library, "SDL_SetHint", sdl.SetHint) &&
                        take(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
                        take(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) &&
                        take(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
                        take(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
                        take(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
                        take(library, "SDL_RWFromConstMem", sdl.RWFromConstMem) &&
                        take(library, "SDL_LoadWAV_RW", sdl.LoadWAV_RW) &&
                        take(library, "SDL_FreeWAV", sdl.FreeWAV) &&
                        take(library, "SDL_BuildAudioCVT", sdl.BuildAudioCVT) &&
                        take(library, "SDL_ConvertAudio", sdl.ConvertAudio);
  if (!complete) return std::nullopt;
  // The sound subsystem brings the library's event queue, which would turn
  // SIGINT and SIGTERM into quit events that nothing reads: the program could
  // then no longer be interrupted or ended by a signal.
  sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return sdl;
}

}  // namespace

const Sdl_Library* sdl_library() {
  static const std::optional<Sdl_Library> sdl = load();
  return sdl ? &*sdl : nullptr;
}
