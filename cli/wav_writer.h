#pragma once
// Writes a 16-bit PCM RIFF/WAVE file so that it appears whole or not at all:
// the samples go to a temporary file beside the target, which replaces the
// target only once it is complete and on disk. A stream that cannot be
// rewound, such as a pipe, gets the header first instead, so there the size
// of the samples has to be known before the first of them.

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/byte_streams.h"
#include "cli/element_sounds.h"

// The RIFF size field counts the header after itself and the samples in 32 bits.
inline constexpr std::uint64_t wav_data_bytes_max = 0xFFFFFFFFull - 36;

class Wav_Writer {
 public:
  // Creates the temporary file; see ok() and error().
  Wav_Writer(std::string path, Pcm_Format format);
  // Writes to `stream`, announcing `data_bytes` of samples (at most
  // wav_data_bytes_max); commit() fails unless exactly that many came.
  Wav_Writer(Byte_Sink& stream, Pcm_Format format, std::uint64_t data_bytes);
  // Removes the temporary file unless commit() succeeded.
  ~Wav_Writer();
  Wav_Writer(const Wav_Writer&) = delete;
  Wav_Writer& operator=(const Wav_Writer&) = delete;

  bool ok() const { return error_.empty(); }
  // Why not, for the user: the file and the reason.
  const std::string& error() const { return error_; }

  // Whole frames in the file's format.
  void write_frames(std::string_view bytes);
  void write_silence(std::int64_t frames);
  // Completes the header, syncs and renames the file over the target; on a
  // stream, writes out what is left.
  bool commit();

 private:
  void put(std::string_view bytes);
  void flush();
  void fail(const std::string& what, int error_number);

  std::string path_;
  Byte_Sink* stream_ = nullptr;
  std::uint64_t announced_bytes_ = 0;
  std::string temp_path_;
  Pcm_Format format_;
  int fd_ = -1;
  std::string pending_;
  std::uint64_t data_bytes_ = 0;
  bool committed_ = false;
  std::string error_;
};
