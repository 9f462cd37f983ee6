#include "platform/linux/sdl_library.h"

#include <dlfcn.h>

#include <deque>
#include <mutex>
#include <optional>

namespace {

struct Loaded {
  std::optional<Sdl_Library> calls;
  std::string failure;  // empty when `calls` is there
};

template <class Function>
bool take(void* library, const char* name, Function& call) {
  call = reinterpret_cast<Function>(dlsym(library, name));
  return call != nullptr;
}

std::string loader_reason() {
  const char* reason = dlerror();
  return reason != nullptr ? reason : "no reason given";
}

// The name is handed over as it is stored: the package's check finds the
// libraries the binary loads by their names among its strings.
Loaded load(const char* name) {
  const auto failed = [&] {
    return Loaded{std::nullopt, std::string("the sound library ") + name +
                                    " could not be loaded: " + loader_reason()};
  };
  // Never closed: the device's thread and the decoded sounds outlive any
  // owner the program has.
  void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return failed();
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
                        take(library, "SDL_ConvertAudio", sdl.ConvertAudio) &&
                        take(library, "SDL_GetNumAudioDevices", sdl.GetNumAudioDevices) &&
                        take(library, "SDL_GetAudioDeviceName", sdl.GetAudioDeviceName) &&
                        take(library, "SDL_GetAudioDeviceStatus", sdl.GetAudioDeviceStatus) &&
                        take(library, "SDL_GetError", sdl.GetError);
  if (!complete) return failed();
  sdl.TLSCleanup = reinterpret_cast<decltype(sdl.TLSCleanup)>(dlsym(library, "SDL_TLSCleanup"));
  // The sound subsystem brings the library's event queue, which would turn
  // SIGINT and SIGTERM into quit events that nothing reads: the program could
  // then no longer be interrupted or ended by a signal.
  sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return Loaded{sdl, {}};
}

// Every load stays: a caller may still hold the calls of an earlier one.
struct Loads {
  std::mutex mutex;
  std::deque<Loaded> done;
  const Loaded& current() {
    if (done.empty()) done.push_back(load(kSdl_Library_Name));
    return done.back();
  }
};

// Never destroyed: sounds freed by static owners at exit still call the library.
Loads& loads() {
  static Loads* all = new Loads;
  return *all;
}

}  // namespace

const Sdl_Library* sdl_library() {
  Loads& all = loads();
  std::lock_guard lock(all.mutex);
  const Loaded& loaded = all.current();
  return loaded.calls ? &*loaded.calls : nullptr;
}

std::string sdl_library_failure() {
  Loads& all = loads();
  std::lock_guard lock(all.mutex);
  return all.current().failure;
}

void sdl_library_thread_done() {
  const Sdl_Library* sdl = sdl_library();
  if (sdl != nullptr && sdl->TLSCleanup != nullptr) sdl->TLSCleanup();
}

void load_sdl_library_named(const std::string& name) {
  Loads& all = loads();
  std::lock_guard lock(all.mutex);
  all.done.push_back(load(name.c_str()));
}
