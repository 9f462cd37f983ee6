#include "platform/processes.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <vector>

namespace {

class Windows_Processes final : public Processes {
 public:
  std::string text_editor_path() override {
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    UINT length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
      // Too small: length is the size needed, with its NUL.
      buffer.assign(static_cast<size_t>(length) + 1, '\0');
      length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
      if (length >= buffer.size()) return "";
    }
    if (length == 0) return "";
    std::string folder(buffer.data(), length);
    if (folder.back() != '\\') folder += '\\';
    return folder + "Notepad.EXE";
  }

  std::string text_editor_name() override { return "Windows Notepad"; }

  // A failed start or open goes unreported here, so `failed` is never called.
  bool start_text_editor(const std::string& file_path, Open_Failed) override {
    // The editor takes the whole rest of its command line as the file name,
    // so the path goes unquoted.
    const std::string command = "Notepad.exe " + file_path;
    return WinExec(command.c_str(), SW_SHOWNORMAL) > 31;
  }

  std::string url_opener_name() override { return {}; }

  bool open_url(const std::string& target, Open_Failed) override {
    if (target.empty()) return false;
    HINSTANCE result =
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
  }
};

}  // namespace

std::unique_ptr<Processes> make_system_processes() { return std::make_unique<Windows_Processes>(); }
