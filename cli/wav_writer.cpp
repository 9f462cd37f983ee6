#include "cli/wav_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t header_bytes = 44;
constexpr std::size_t write_size = std::size_t{1} << 20;
// The RIFF size field counts everything after itself in 32 bits.
constexpr std::uint64_t data_bytes_max = 0xFFFFFFFFull - (header_bytes - 8);

void put_u16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8 & 0xFF));
}

void put_u32(std::string& out, std::uint32_t v) {
  put_u16(out, v & 0xFFFF);
  put_u16(out, v >> 16);
}

std::string header(const Pcm_Format& f, std::uint32_t data_bytes) {
  std::string h;
  h.reserve(header_bytes);
  h += "RIFF";
  put_u32(h, static_cast<std::uint32_t>(header_bytes - 8 + data_bytes));
  h += "WAVEfmt ";
  put_u32(h, 16);
  put_u16(h, 1);  // PCM
  put_u16(h, static_cast<std::uint32_t>(f.channels));
  put_u32(h, static_cast<std::uint32_t>(f.rate));
  put_u32(h, static_cast<std::uint32_t>(f.rate * f.frame_bytes()));
  put_u16(h, static_cast<std::uint32_t>(f.frame_bytes()));
  put_u16(h, 16);
  h += "data";
  put_u32(h, data_bytes);
  return h;
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace

Wav_Writer::Wav_Writer(std::string path, Pcm_Format format)
    : path_(std::move(path)), format_(format) {
  std::vector<char> name(path_.begin(), path_.end());
  for (const char c : std::string_view(".XXXXXX")) name.push_back(c);
  name.push_back('\0');
  fd_ = ::mkstemp(name.data());
  if (fd_ < 0) {
    fail("cannot write", errno);
    return;
  }
  temp_path_ = name.data();
  // mkstemp makes the file private; a finished WAV gets a new file's usual rights.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, 0666 & ~mask);
  pending_.reserve(write_size + header_bytes);
  put(header(format_, 0));
}

Wav_Writer::~Wav_Writer() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
}

void Wav_Writer::fail(const std::string& what, int error_number) {
  if (!error_.empty()) return;
  error_ = what + " \"" + path_ + "\"";
  if (error_number != 0) error_ += std::string(": ") + std::strerror(error_number);
}

void Wav_Writer::put(std::string_view bytes) {
  if (!ok()) return;
  pending_.append(bytes);
  if (pending_.size() >= write_size) flush();
}

void Wav_Writer::flush() {
  if (ok() && !write_all(fd_, pending_)) fail("cannot write", errno);
  pending_.clear();
}

void Wav_Writer::write_frames(std::string_view bytes) {
  data_bytes_ += bytes.size();
  if (data_bytes_ > data_bytes_max) fail("the sound is too long for a WAV file", 0);
  put(bytes);
}

void Wav_Writer::write_silence(std::int64_t frames) {
  static const std::string zeros(write_size, '\0');
  auto bytes =
      static_cast<std::uint64_t>(frames) * static_cast<std::uint64_t>(format_.frame_bytes());
  while (bytes > 0 && ok()) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, zeros.size()));
    write_frames(std::string_view(zeros.data(), n));
    bytes -= n;
  }
}

bool Wav_Writer::commit() {
  flush();
  if (!ok()) return false;
  const std::string h = header(format_, static_cast<std::uint32_t>(data_bytes_));
  if (::lseek(fd_, 0, SEEK_SET) != 0 || !write_all(fd_, h)) {
    fail("cannot write", errno);
    return false;
  }
  const bool synced = ::fsync(fd_) == 0;
  const int sync_error = errno;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!synced || !closed) {
    fail("cannot write", synced ? errno : sync_error);
    return false;
  }
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) {
    fail("cannot write", errno);
    return false;
  }
  committed_ = true;
  return true;
}
