// Starting other programs through the desktop's "open" command, xdg-open:
// it shows a text file in the user's chosen viewer, and hands web and
// "mailto:" addresses to the browser and the mail program. Without xdg-open,
// text files go to the first of a few well-known graphical editors on PATH.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>

#include "platform/processes.h"

extern char** environ;

namespace {

const char* const kOpener = "xdg-open";

// Tried in this order when there is no xdg-open; all take a file name as
// their only argument and open their own window.
const char* const kText_Editors[] = {"gnome-text-editor", "gedit", "kate",  "kwrite",
                                     "mousepad",          "xed",   "pluma", "featherpad",
                                     "leafpad",           "geany"};

// The full path of a program found on PATH, or "" when there is none.
std::string find_on_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return "";
  std::string folders(path);
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    // An empty entry means the current folder. (Built by appending: GCC 12
    // at -O3 takes `folder = "."` for an overlapping copy.)
    std::string candidate = end > start ? folders.substr(start, end - start) : std::string(1, '.');
    candidate.append("/").append(program);
    struct stat info {};
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return "";
}

// What an ended program's wait status says, in words that finish "... could
// not be opened: ". xdg-open's own statuses have fixed meanings.
std::string ending_reason(const std::string& program, int status) {
  if (WIFSIGNALED(status))
    return program + " was ended by signal " + std::to_string(WTERMSIG(status));
  const int code = WEXITSTATUS(status);
  const std::string code_text = " (exit status " + std::to_string(code) + ")";
  if (program == kOpener) {
    switch (code) {
      case 1:
        return program + " did not understand the request" + code_text;
      case 2:
        return program + " found no such file" + code_text;
      case 3:
        return program + " found no program to open it with" + code_text;
      case 4:
        return program + "'s attempt to open it failed" + code_text;
      default:
        break;
    }
  }
  return program + " ended with an error" + code_text;
}

// Runs `program` (a full path, or a name looked up on PATH) on one argument,
// without a shell and without waiting; a thread of its own collects the child
// when it ends, so no zombie is left, and tells `failed` when it ended with
// an error. The program would read a leading "-" as one of its options:
// callers keep such arguments away.
bool start_program(const std::string& program, const std::string& argument,
                   Processes::Open_Failed failed) {
  if (program.empty() || argument.empty() || argument.front() == '-') return false;
  std::string name(program);
  std::string arg(argument);
  char* argv[] = {name.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, name.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  const std::string shown = program.substr(program.rfind('/') + 1);
  std::thread([pid, shown, failed = std::move(failed)] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
      if (errno != EINTR) return;
    }
    const bool fine = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!fine && failed) failed(ending_reason(shown, status));
  }).detach();
  return true;
}

class Linux_Processes final : public Processes {
 public:
  std::string text_editor_path() override {
    std::string found = find_on_path(kOpener);
    for (const char* editor : kText_Editors) {
      if (found.empty()) found = find_on_path(editor);
    }
    return found;
  }

  // Without xdg-open, the editors tried in its place are only a way out; the
  // program missing is xdg-open.
  std::string text_editor_name() override { return kOpener; }

  bool start_text_editor(const std::string& file_path, Open_Failed failed) override {
    // A relative name that looks like an option is still that file.
    const bool looks_like_option = !file_path.empty() && file_path.front() == '-';
    return start_program(text_editor_path(), looks_like_option ? "./" + file_path : file_path,
                         std::move(failed));
  }

  std::string url_opener_name() override { return kOpener; }

  bool open_url(const std::string& target, Open_Failed failed) override {
    return start_program(kOpener, target, std::move(failed));
  }
};

}  // namespace

std::unique_ptr<Processes> make_system_processes() { return std::make_unique<Linux_Processes>(); }
