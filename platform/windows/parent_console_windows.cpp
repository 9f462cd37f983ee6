#include "platform/parent_console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

bool has_no_handle(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

}  // namespace

void use_parent_console() {
  const bool no_output = has_no_handle(STD_OUTPUT_HANDLE);
  const bool no_error = has_no_handle(STD_ERROR_HANDLE);
  if (!no_output && !no_error) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  const int console = _open("CONOUT$", _O_WRONLY | _O_BINARY);
  if (console < 0) return;
  if (no_output) _dup2(console, 1);
  if (no_error) _dup2(console, 2);
  _close(console);
}
