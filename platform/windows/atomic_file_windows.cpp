#include "platform/atomic_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

namespace {

int errno_of(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EACCES;
  }
}

}  // namespace

int create_temporary_beside(const std::string& target, std::string& temporary) {
  // The counter and the time make the name; O_EXCL makes it ours. A name
  // taken by another file is passed over.
  static unsigned counter = 0;
  const unsigned long long seed = GetTickCount64() ^ (GetCurrentProcessId() * 2654435761ull);
  for (int attempt = 0; attempt < 100; ++attempt) {
    char ending[16];
    std::snprintf(ending, sizeof ending, ".%06llx", (seed + ++counter * 7919ull) & 0xFFFFFFull);
    const std::string name = target + ending;
    const int fd =
        ::_open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
      temporary = name;
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

bool sync_to_disk(int fd) { return ::_commit(fd) == 0; }

bool move_over(const std::string& temporary, const std::string& target) {
  // rename() refuses an existing target here.
  if (MoveFileExA(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  errno = errno_of(GetLastError());
  return false;
}
