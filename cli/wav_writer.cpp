#include "cli/wav_writer.h"

#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/atomic_file.h"

namespace {

constexpr std::size_t header_bytes = 44;
// A header that promised another length would cut the sound or run past it.
constexpr const char* length_mismatch = "the sound differs in length from its WAV header";
constexpr std::size_t write_size = std::size_t{1} << 20;
static_assert(wav_data_bytes_max == 0xFFFFFFFFull - (header_bytes - 8));

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
  put_u32(h, static_cast<std::uint32_t>(std::uint64_t(f.rate) * f.frame_bytes()));
  put_u16(h, static_cast<std::uint32_t>(f.frame_bytes()));
  put_u16(h, 16);
  h += "data";
  put_u32(h, data_bytes);
  return h;
}

// The temporary file for the signal handler: a render broken off by Ctrl-C
// or a kill leaves nothing behind either. Only async-signal-safe calls below.
char pending_temp[4096];
volatile std::sig_atomic_t pending_temp_set = 0;
#ifdef _WIN32
constexpr int cleanup_signals[] = {SIGINT, SIGTERM};
#else
constexpr int cleanup_signals[] = {SIGINT, SIGTERM, SIGHUP};
#endif
using Handler = void (*)(int);
Handler previous_handlers[std::size(cleanup_signals)];

void remove_temp_and_end(int signal_number) {
  if (pending_temp_set != 0) ::unlink(pending_temp);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void guard_temp(const std::string& path) {
  if (path.size() >= sizeof pending_temp) return;
  std::memcpy(pending_temp, path.c_str(), path.size() + 1);
  pending_temp_set = 1;
  for (std::size_t i = 0; i < std::size(cleanup_signals); ++i) {
    previous_handlers[i] = std::signal(cleanup_signals[i], remove_temp_and_end);
    // A signal the caller had ignored stays ignored.
    if (previous_handlers[i] == SIG_IGN) std::signal(cleanup_signals[i], SIG_IGN);
  }
}

void unguard_temp() {
  if (pending_temp_set == 0) return;
  for (std::size_t i = 0; i < std::size(cleanup_signals); ++i)
    std::signal(cleanup_signals[i], previous_handlers[i]);
  pending_temp_set = 0;
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
#ifndef _WIN32
  // The signals wait until the handler knows the file's name.
  sigset_t cleanup{};
  sigset_t before{};
  sigemptyset(&cleanup);
  for (const int s : cleanup_signals) sigaddset(&cleanup, s);
  ::sigprocmask(SIG_BLOCK, &cleanup, &before);
#endif
  fd_ = create_temporary_beside(path_, temp_path_);
  const int create_error = errno;
  if (fd_ >= 0) guard_temp(temp_path_);
#ifndef _WIN32
  ::sigprocmask(SIG_SETMASK, &before, nullptr);
#endif
  if (fd_ < 0) {
    fail("cannot write", create_error);
    return;
  }
  pending_.reserve(write_size + header_bytes);
  put(header(format_, 0));
}

Wav_Writer::Wav_Writer(Byte_Sink& stream, Pcm_Format format, std::uint64_t data_bytes)
    : stream_(&stream), announced_bytes_(data_bytes), format_(format) {
  if (data_bytes > wav_data_bytes_max) {
    fail("the sound is too long for a WAV file", 0);
    return;
  }
  pending_.reserve(write_size + header_bytes);
  put(header(format_, static_cast<std::uint32_t>(data_bytes)));
}

Wav_Writer::~Wav_Writer() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
  if (!temp_path_.empty()) unguard_temp();
}

void Wav_Writer::fail(const std::string& what, int error_number) {
  if (!error_.empty()) return;
  // A stream has no name to give: its messages say "the output" (or nothing,
  // where that reads better).
  error_ = what;
  if (stream_ == nullptr)
    error_ += " \"" + path_ + "\"";
  else if (what == "cannot write")
    error_ += " the output";
  if (error_number != 0) error_ += std::string(": ") + std::strerror(error_number);
}

void Wav_Writer::put(std::string_view bytes) {
  if (!ok()) return;
  pending_.append(bytes);
  if (pending_.size() >= write_size) flush();
}

void Wav_Writer::flush() {
  if (ok() && !pending_.empty()) {
    if (stream_ != nullptr && !stream_->write(pending_))
      fail("cannot write", stream_->error());
    else if (stream_ == nullptr && !write_all(fd_, pending_))
      fail("cannot write", errno);
  }
  pending_.clear();
}

void Wav_Writer::write_frames(std::string_view bytes) {
  data_bytes_ += bytes.size();
  if (data_bytes_ > wav_data_bytes_max) fail("the sound is too long for a WAV file", 0);
  if (stream_ != nullptr && data_bytes_ > announced_bytes_) fail(length_mismatch, 0);
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
  if (stream_ != nullptr) {
    if (data_bytes_ != announced_bytes_) fail(length_mismatch, 0);
    committed_ = ok();
    return committed_;
  }
  const std::string h = header(format_, static_cast<std::uint32_t>(data_bytes_));
  if (::lseek(fd_, 0, SEEK_SET) != 0 || !write_all(fd_, h)) {
    fail("cannot write", errno);
    return false;
  }
  const bool synced = sync_to_disk(fd_);
  const int sync_error = errno;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!synced || !closed) {
    fail("cannot write", synced ? errno : sync_error);
    return false;
  }
  if (!move_over(temp_path_, path_)) {
    fail("cannot write", errno);
    return false;
  }
  committed_ = true;
  return true;
}
