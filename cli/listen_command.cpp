#include "cli/listen_command.h"

#ifndef _WIN32
#include <SDL.h>
#endif
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "cli/listen_output.h"
#include "engine/morse_table.h"
#include "engine/riff_chunks.h"
#include "listen/morse_listener.h"
#include "listen/wav_stream.h"
#ifndef _WIN32
#include "platform/linux/device_sound_decoder.h"
#include "platform/linux/sdl_library.h"
#endif
#include "shell/area_conversion.h"
#include "shell/code_page.h"

namespace {

// How long the input may keep the listener waiting before what it has heard
// is decided.
constexpr int stall_milliseconds = 1000;

// The rate the format chunk gives, so that the decoder resamples nothing; 0
// without a format chunk. The decoder itself judges everything else.
std::uint32_t wav_rate(const std::vector<unsigned char>& wav) {
  for (Riff_Walker chunks(wav); const auto chunk = chunks.next();) {
    if (chunk->id != "fmt ") continue;
    if (chunk->declared < 16 || chunk->available < 16) return 0;
    return riff_u32(&wav[chunk->body + 4]);
  }
  return 0;
}

// Whether the data chunk holds no whole sample: such a file is silent, not
// broken.
bool has_empty_data(const std::vector<unsigned char>& wav) {
  for (Riff_Walker chunks(wav); const auto chunk = chunks.next();)
    if (chunk->id == "data") return chunk->available < 2;
  return false;
}

// The listener, built once the recording's rate is known, with its output
// and a measure of how loud the recording is.
class Listening {
 public:
  Listening(const Listen_Request& request, Byte_Sink& sink)
      : output_(request.morse, request.alphabet, sink) {}

  void hear(double rate, const float* samples, std::size_t count) {
    if (!listener_) listener_.emplace(rate);
    // Four sums, so that one addition need not wait for the one before.
    double sums[4] = {};
    for (std::size_t i = 0; i < count; ++i)
      if (std::isfinite(samples[i])) sums[i % 4] += double(samples[i]) * samples[i];
    energy_ += (sums[0] + sums[1]) + (sums[2] + sums[3]);
    heard_ += count;
    listener_->feed(samples, count);
    output_.add(listener_->take(), false);
  }

  // The input has stalled: what has been heard is decided now, as if a
  // silence followed, and its text is written.
  void pause() {
    if (!listener_) return;
    listener_->pause();
    output_.add(listener_->take(), false);
  }

  // The end of the recording; false when the output could not be written.
  bool finish() {
    if (listener_) {
      listener_->finish();
      output_.add(listener_->take(), true);
    }
    return !output_.failed();
  }
  bool failed() const { return output_.failed(); }

  // Nothing heard in a recording that is not silent: louder than -60 dBFS
  // over its length, well above the dither and hiss of a quiet input.
  bool missed_a_sound() const {
    return !output_.any() && heard_ > 0 && energy_ / double(heard_) > 1e-6;
  }

 private:
  Listen_Output output_;
  std::optional<Morse_Listener> listener_;
  double energy_ = 0;
  std::uint64_t heard_ = 0;
};

// A WAV that the stream does not read, decoded whole by the player's decoder
// as every WAV once was: compressed formats, and files whose header is out
// of the usual order.
#ifdef _WIN32
// Windows has no sound library: only what the stream reads can be heard.
bool decode_whole(const std::vector<unsigned char>& image, const std::string& name, Listening&,
                  std::string& error) {
  if (wav_rate(image) > 0 && has_empty_data(image)) return true;
  error = name + " is no uncompressed WAV file that can be played";
  return false;
}
#else
bool decode_whole(const std::vector<unsigned char>& image, const std::string& name,
                  Listening& listening, std::string& error) {
  if (image.size() > std::size_t{INT_MAX}) {
    error = name + " is larger than the 2 GB the player reads";
    return false;
  }
  const std::uint32_t rate = wav_rate(image);
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(std::min<std::uint32_t>(rate, 1u << 30));
  wanted.channels = 1;
  wanted.format = AUDIO_F32SYS;
  const auto sound = rate > 0 ? decode_for_device(image, wanted) : nullptr;
  if (sound == nullptr) {
    if (rate > 0 && has_empty_data(image)) return true;
    // A header that reads as a WAV fails to decode without the library too.
    const std::string no_library = rate > 0 ? sdl_library_failure() : std::string();
    error = no_library.empty() ? name + " is no WAV file that can be played" : no_library;
    return false;
  }
  const auto* samples = reinterpret_cast<const float*>(sound->bytes.data());
  const auto count = static_cast<std::size_t>(sound->frames);
  constexpr std::size_t block = 1 << 14;
  for (std::size_t at = 0; at < count && !listening.failed(); at += block)
    listening.hear(wanted.freq, samples + at, std::min(block, count - at));
  return true;
}
#endif

// A file opened for reading, closed with it.
struct Open_File {
  int fd = -1;
  ~Open_File() {
    if (fd >= 0) ::close(fd);
  }
};

// The file's descriptor, or the reason it cannot be read in the words the
// player uses. A folder opens but reads as an error: it is refused here.
bool open_file(const std::string& path, Open_File& file, std::string& error) {
#ifdef _WIN32
  file.fd = ::open(path.c_str(), O_RDONLY | O_BINARY);
#else
  file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
  int reason = file.fd < 0 ? errno : 0;
  struct stat info {};
  if (reason == 0 && ::fstat(file.fd, &info) == 0 && S_ISDIR(info.st_mode)) reason = EISDIR;
  if (reason == 0) return true;
  error = "Cannot open file \"" + path + "\". " + std::strerror(reason);
  return false;
}

}  // namespace

bool listen_to_wav(const Listen_Request& request, Byte_Source& in, Byte_Sink& out,
                   std::string& error, std::string& notice) {
  const bool from_input = request.path == "-";
  const std::string name = from_input ? "the standard input" : "\"" + request.path + "\"";
  Open_File file;
  std::optional<Fd_Source> file_source;
  if (!from_input) {
    if (!open_file(request.path, file, error)) return false;
    file_source.emplace(file.fd);
  }
  Byte_Source& source = from_input ? in : *file_source;

  Wav_Stream wav;
  Listening listening(request, out);
  // The bytes so far, for the whole-file decoder, while it may be needed.
  std::vector<unsigned char> whole;
  std::vector<char> block(std::size_t{1} << 16);
  bool stalled = false;
  for (std::size_t n; !listening.failed();) {
    // A pipe that pauses in the middle of a recording (a recorder held up,
    // a stream that stalls) gets the text of what it gave so far at once.
    if (!stalled && wav.state() == Wav_Stream::State::Samples &&
        !source.wait_for_input(stall_milliseconds)) {
      listening.pause();
      stalled = true;
    }
    if (request.keep_going && !request.keep_going()) break;
    if ((n = source.read_some(block.data(), block.size())) == 0) break;
    stalled = false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.data());
    const bool undecided = wav.state() == Wav_Stream::State::Header;
    if (undecided || wav.state() == Wav_Stream::State::Unstreamable)
      whole.insert(whole.end(), bytes, bytes + n);
    wav.feed(bytes, n);
    if (wav.state() == Wav_Stream::State::Not_Wav) {
      error = name + " is no WAV file that can be played";
      return false;
    }
    if (undecided && wav.state() != Wav_Stream::State::Unstreamable &&
        wav.state() != Wav_Stream::State::Header)
      whole = {};
    if (!wav.samples().empty()) {
      listening.hear(wav.rate(), wav.samples().data(), wav.samples().size());
      wav.samples().clear();
    }
    // The rest of a file is not needed; a pipe is read to its end, so that
    // what writes to it is not cut off.
    if (wav.state() == Wav_Stream::State::Ended && !from_input) break;
  }
  if (!listening.failed() && source.error() != 0) {
    error = (from_input ? std::string("cannot read the input: ") : "cannot read " + name + ": ") +
            std::strerror(source.error());
    return false;
  }
  const bool streamed =
      wav.state() == Wav_Stream::State::Samples || wav.state() == Wav_Stream::State::Ended;
  if (!streamed && !whole.empty() && !decode_whole(whole, name, listening, error)) return false;
  if (!listening.finish()) {
    error = "cannot write the output";
    if (out.error() != 0) error += std::string(": ") + std::strerror(out.error());
    return false;
  }
  if (listening.missed_a_sound()) notice = "no keyed tone found";
  return true;
}
