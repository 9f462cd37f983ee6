// Starting other programs through the desktop's "open" command, xdg-open:
// it shows a text file in the user's chosen viewer, and hands web and
// "mailto:" addresses to the browser and the mail program.

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

// The full path of a program found on PATH, or "" when there is none.
std::string find_on_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return "";
  std::string folders(path);
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    // An empty entry means the current folder.
    std::string folder = folders.substr(start, end - start);
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + program;
    struct stat info {};
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return "";
}

// Runs the opener on one argument without a shell and without waiting; a
// thread of its own collects the child when it ends, so no zombie is left.
// The opener would read a leading "-" as one of its options: callers keep
// such arguments away.
bool start_opener(const std::string& argument) {
  if (argument.empty() || argument.front() == '-') return false;
  std::string program(kOpener);
  std::string arg(argument);
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, kOpener, nullptr, nullptr, argv, environ) != 0) return false;
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

class Linux_Processes final : public Processes {
 public:
  std::string text_editor_path() override { return find_on_path(kOpener); }

  bool start_text_editor(const std::string& file_path) override {
    // A relative name that looks like an option is still that file.
    if (!file_path.empty() && file_path.front() == '-') return start_opener("./" + file_path);
    return start_opener(file_path);
  }

  bool open_url(const std::string& target) override { return start_opener(target); }
};

}  // namespace

std::unique_ptr<Processes> make_system_processes() { return std::make_unique<Linux_Processes>(); }
