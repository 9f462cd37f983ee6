#pragma once
// A WAV recording read as it arrives: bytes go in a block at a time, of any
// size down to one byte, and mono samples come out as soon as their frames
// are whole. Its memory does not grow with the recording: chunks other than
// the format are skipped, never held.
//
// It reads PCM of 8, 16, 24 and 32 bits, IEEE float of 32 and 64 bits,
// mu-law and A-law, plain or in the extensible format, with any number of
// channels (mixed down to one). A `data` size of 0 or 0xFFFFFFFF, as
// recorders writing to a pipe leave it, means "to the end"; a data chunk cut
// short by the end of the file ends the recording there, its last partial
// frame dropped. Anything else (compressed formats, no format before the
// data) it leaves to a reader of the whole file.

#include <cstddef>
#include <cstdint>
#include <vector>

class Wav_Stream {
 public:
  enum class State {
    Header,        // still reading the chunks before the samples
    Samples,       // the data chunk: samples come out
    Ended,         // the data chunk is over; what follows is not read
    Not_Wav,       // the bytes start as no WAV file does
    Unstreamable,  // a WAV this reader does not decode as it comes
  };

  // The next bytes of the file. Decoded samples are appended to samples().
  void feed(const unsigned char* bytes, std::size_t count);

  State state() const { return state_; }
  // The recording's frame rate, once the samples have begun.
  std::uint32_t rate() const { return rate_; }
  // Mono samples decoded so far, for the caller to take and clear.
  std::vector<float>& samples() { return samples_; }

 private:
  enum class Coding {
    Unsigned_8,
    Signed_16,
    Signed_24,
    Signed_32,
    Float_32,
    Float_64,
    Mu_Law,
    A_Law
  };

  void read_header();
  bool read_format(const unsigned char* body, std::uint32_t size);
  void decode(const unsigned char* bytes, std::size_t count);
  void decode_frames(const unsigned char* bytes, std::size_t frames);

  State state_ = State::Header;
  std::vector<unsigned char> held_;  // header bytes not yet judged
  bool riff_read_ = false;
  std::uint64_t skip_ = 0;  // bytes of a skipped chunk still to come
  bool have_format_ = false;

  Coding coding_ = Coding::Signed_16;
  std::uint32_t rate_ = 0;
  std::size_t channels_ = 0;
  std::size_t sample_bytes_ = 0;
  std::size_t frame_bytes_ = 0;
  bool to_end_ = false;                 // no usable data size: samples to the end
  std::uint64_t data_left_ = 0;         // otherwise, the bytes of data still to come
  std::vector<unsigned char> partial_;  // a frame split between two blocks
  std::vector<float> law_table_;        // mu-law or A-law byte to sample
  std::vector<float> samples_;
};
