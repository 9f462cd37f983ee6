#pragma once
// For its lifetime the program loads a sound library that does not exist, as
// on a system without one; the real one is loaded again after it.

#include "platform/linux/sdl_library.h"

struct Without_Sound_Library {
  static constexpr char name[] = "libtapwrenz-no-such-library.so.0";
  static constexpr char message[] =
      "the sound library libtapwrenz-no-such-library.so.0 could not be loaded: "
      "libtapwrenz-no-such-library.so.0: cannot open shared object file: No such file or "
      "directory";
  Without_Sound_Library() { load_sdl_library_named(name); }
  ~Without_Sound_Library() { load_sdl_library_named(kSdl_Library_Name); }
  Without_Sound_Library(const Without_Sound_Library&) = delete;
  Without_Sound_Library& operator=(const Without_Sound_Library&) = delete;
};
