#pragma once
// Writes a 16-bit PCM RIFF/WAVE file so that it appears whole or not at all:
// the samples go to a temporary file beside the target, which replaces the
// target only once it is complete and on disk.

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/element_sounds.h"

class Wav_Writer {
 public:
  // Creates the temporary file; see ok() and error().
  Wav_Writer(std::string path, Pcm_Format format);
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
  // Completes the header, syncs and renames the file over the target.
  bool commit();

 private:
  void put(std::string_view bytes);
  void flush();
  void fail(const std::string& what, int error_number);

  std::string path_;
  std::string temp_path_;
  Pcm_Format format_;
  int fd_ = -1;
  std::string pending_;
  std::uint64_t data_bytes_ = 0;
  bool committed_ = false;
  std::string error_;
};
