#include "cli/byte_streams.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#endif
#include <unistd.h>

#include <cerrno>

std::size_t Fd_Source::read_some(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno == EINTR) continue;
    error_ = errno;
    return 0;
  }
}

bool Fd_Source::wait_for_input(int milliseconds) {
#ifdef _WIN32
  // Only a pipe keeps its reader waiting, and Windows has no way to wait on
  // one: it is looked into every 20 ms. An error is for the read to report.
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_PIPE) return true;
  for (int waited = 0;; waited += 20) {
    DWORD available = 0;
    if (!PeekNamedPipe(handle, nullptr, 0, nullptr, &available, nullptr) || available > 0)
      return true;
    if (waited >= milliseconds) return false;
    Sleep(20);
  }
#else
  pollfd watched{fd_, POLLIN, 0};
  // An error or a hang-up is for the read to report.
  const int ready = ::poll(&watched, 1, milliseconds);
  return ready != 0;
#endif
}

bool Fd_Sink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

Output_Buffer::Output_Buffer(Byte_Sink& sink, std::size_t limit) : sink_(sink), limit_(limit) {
  pending_.reserve(limit + limit / 4);
}

bool Output_Buffer::append(std::string_view bytes) {
  pending_.append(bytes);
  return commit();
}

bool Output_Buffer::commit() {
  if (failed_) pending_.clear();
  return pending_.size() < limit_ ? !failed_ : flush();
}

bool Output_Buffer::flush() {
  if (!failed_ && !pending_.empty() && !sink_.write(pending_)) failed_ = true;
  pending_.clear();
  return !failed_;
}
