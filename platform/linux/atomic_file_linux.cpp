#include "platform/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

int create_temporary_beside(const std::string& target, std::string& temporary) {
  std::vector<char> name(target.begin(), target.end());
  for (const char c : std::string_view(".XXXXXX")) name.push_back(c);
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return -1;
  temporary = name.data();
  // mkstemp makes the file private; the finished file gets a new file's usual rights.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  return fd;
}

bool sync_to_disk(int fd) { return ::fsync(fd) == 0; }

bool move_over(const std::string& temporary, const std::string& target) {
  return std::rename(temporary.c_str(), target.c_str()) == 0;
}
