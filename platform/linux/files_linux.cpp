#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace {

constexpr mode_t write_bits = S_IWUSR | S_IWGRP | S_IWOTH;

bool hidden_name(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return start < path.size() && path[start] == '.';
}

// Whether another process holds a lock of either kind on the open file: a
// whole-file lock (flock) or a record lock (fcntl) on any part of it.
Exclusive_Open probe_locks(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return errno == EWOULDBLOCK ? Exclusive_Open::Held : Exclusive_Open::Failed;
  }
  struct flock record {};
  record.l_type = F_WRLCK;
  record.l_whence = SEEK_SET;
  record.l_start = 0;
  record.l_len = 0;
  Exclusive_Open result = Exclusive_Open::Opened;
  if (fcntl(fd, F_GETLK, &record) == 0 && record.l_type != F_UNLCK) result = Exclusive_Open::Held;
  flock(fd, LOCK_UN);
  return result;
}

// Files on Linux: "held by another program" is a lock on the file, read-only
// is the missing owner write permission, hidden is a name starting with a dot.
// There is no archive or system attribute.
class Linux_Files final : public Files {
 public:
  bool exists(const std::string& path) override {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  Exclusive_Open open_exclusive(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
      return errno == ENOENT || errno == ENOTDIR ? Exclusive_Open::Not_Found
                                                 : Exclusive_Open::Failed;
    }
    const Exclusive_Open result = probe_locks(fd);
    close(fd);
    return result;
  }

  std::optional<File_Attributes> attributes(const std::string& path) override {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    File_Attributes a;
    a.read_only = (st.st_mode & S_IWUSR) == 0;
    a.hidden = hidden_name(path);
    return a;
  }

  bool set_attributes(const std::string& path, File_Attributes wanted) override {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    const mode_t mode = st.st_mode & 07777;
    const mode_t new_mode = wanted.read_only ? mode & ~write_bits : mode | S_IWUSR;
    if (new_mode != mode && chmod(path.c_str(), new_mode) != 0) return false;
    return attributes(path) == wanted;
  }

  bool remove(const std::string& path) override { return unlink(path.c_str()) == 0; }
};

}  // namespace

std::unique_ptr<Files> make_system_files() { return std::make_unique<Linux_Files>(); }
