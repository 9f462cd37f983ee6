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

// Runs `program` (a full path, or a name looked up on PATH) on one argument,
// without a shell and without waiting; a thread of its own collects the child
// when it ends, so no zombie is left. The program would read a leading "-"
// as one of its options: callers keep such arguments away.
bool start_program(const std::string& program, const std::string& argument) {
  if (program.empty() || argument.empty() || argument.front() == '-') return false;
  std::string name(program);
  std::string arg(argument);
  char* argv[] = {name.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, name.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
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

  bool start_text_editor(const std::string& file_path) override {
    // A relative name that looks like an option is still that file.
    const bool looks_like_option = !file_path.empty() && file_path.front() == '-';
    return start_program(text_editor_path(), looks_like_option ? "./" + file_path : file_path);
  }

  bool open_url(const std::string& target) override { return start_program(kOpener, target); }
};

}  // namespace

std::unique_ptr<Processes> make_system_processes() { return std::make_unique<Linux_Processes>(); }
