// What the end-to-end check under Wine asks the window system, from inside:
//   window_probe titles           the visible top-level windows' titles
//   window_probe client <title>   "x y width height" of that window's client
//                                 area on the screen, then of the whole
//                                 window; exit status 1 without it
//   window_probe profile <file> <section>
//                                 the section's "key=value" lines as the
//                                 system's profile calls read them
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK print_title(HWND window, LPARAM) {
  char title[512];
  if (IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title) > 0)
    std::printf("%s\n", title);
  return TRUE;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && std::strcmp(argv[1], "titles") == 0) {
    EnumWindows(print_title, 0);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "client") == 0) {
    const HWND window = FindWindowA(nullptr, argv[2]);
    RECT client{};
    if (window == nullptr || !IsWindowVisible(window) || !GetClientRect(window, &client)) return 1;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT outer{};
    GetWindowRect(window, &outer);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", origin.x, origin.y, client.right,
                client.bottom, outer.left, outer.top, outer.right - outer.left,
                outer.bottom - outer.top);
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "profile") == 0) {
    std::vector<char> section(1 << 16);
    const DWORD size =
        GetPrivateProfileSectionA(argv[3], section.data(), DWORD(section.size()), argv[2]);
    // One string after another, each ended by a NUL.
    for (const char* line = section.data(); line < section.data() + size && *line;
         line += std::strlen(line) + 1)
      std::printf("%s\n", line);
    return 0;
  }
  std::fputs("usage: window_probe titles | client <title> | profile <file> <section>\n", stderr);
  return 2;
}
