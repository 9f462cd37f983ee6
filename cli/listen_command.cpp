#include "cli/listen_command.h"

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "engine/morse_table.h"
#include "engine/riff_chunks.h"
#include "listen/morse_listener.h"
#include "platform/linux/device_sound_decoder.h"
#include "platform/linux/sdl_library.h"
#include "shell/area_conversion.h"
#include "shell/code_page.h"
#include "sound/sound_file.h"

namespace {

// What the format chunk says: enough to ask the decoder for the file's own
// rate, so that nothing is resampled, and for plain 16-bit samples as they
// are, so that nothing is converted (mixing down is left to the loop that
// feeds the listener). The decoder itself judges everything else.
struct Wav_Format {
  std::uint32_t rate = 0;  // 0: no format chunk
  int channels = 0;
  bool plain_16_bit = false;
};

Wav_Format wav_format(const std::vector<unsigned char>& wav) {
  for (Riff_Walker chunks(wav); const auto chunk = chunks.next();) {
    if (chunk->id != "fmt ") continue;
    if (chunk->declared < 16 || chunk->available < 16) return {};
    const unsigned char* f = &wav[chunk->body];
    Wav_Format format;
    format.rate = riff_u32(f + 4);
    format.channels = f[2] | f[3] << 8;
    format.plain_16_bit = (f[0] | f[1] << 8) == 1 && (f[14] | f[15] << 8) == 16 &&
                          format.channels >= 1 && format.channels <= 8;
    return format;
  }
  return {};
}

// Whether the data chunk holds no whole sample: such a file is silent, not
// broken.
bool has_empty_data(const std::vector<unsigned char>& wav) {
  for (Riff_Walker chunks(wav); const auto chunk = chunks.next();)
    if (chunk->id == "data") return chunk->available < 2;
  return false;
}

// A regular file read in one piece into memory of its size: a recording is
// large, and growing a buffer to it would touch every page twice over. Null
// when that does not work (not a regular file, an error, or larger than the
// decoder takes: it counts in int), `too_large` set for the last.
std::shared_ptr<const std::vector<unsigned char>> read_whole_file(const std::string& path,
                                                                  bool& too_large) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return nullptr;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size == 0) return nullptr;
  too_large = size > std::uintmax_t{INT_MAX};
  if (too_large) return nullptr;
  std::ifstream in(path, std::ios::binary);
  auto bytes = std::make_shared<std::vector<unsigned char>>(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(size)) ||
      in.peek() != EOF)
    return nullptr;
  return bytes;
}

// The listener's Morse code, out as it comes: as it is, or word by word
// through the table, each word converted as the Morse-to-text conversion
// converts a line (it gives one space for a word gap, as here).
class Listen_Output {
 public:
  Listen_Output(const Listen_Request& request, Byte_Sink& sink)
      : morse_(request.morse), page_(code_page_of_alphabet(request.alphabet)), output_(sink) {
    Build_Morse_Code_Table(table_, request.alphabet);
  }

  void add(const std::string& morse, bool last) {
    if (!morse.empty()) any_ = true;
    if (morse_) {
      output_.append(morse);
    } else {
      pending_ += morse;
      for (std::size_t gap; (gap = pending_.find("   ")) != std::string::npos;) {
        word(std::string_view(pending_).substr(0, gap));
        output_.append(" ");
        pending_.erase(0, gap + 3);
      }
      if (last) word(pending_);
    }
    if (last && any_) output_.append("\n");
    output_.flush();
  }
  bool failed() const { return output_.failed(); }

 private:
  void word(std::string_view codes) {
    converted_.clear();
    append_converted_line(Conversion::Morse_to_Text, table_, codes, converted_);
    text_.clear();
    append_code_page_as_utf8(page_, converted_, text_);
    output_.append(text_);
  }

  bool morse_;
  Code_Page page_;
  TMorse_Code_Table table_;
  Output_Buffer output_;
  std::string pending_, converted_, text_;
  bool any_ = false;
};

}  // namespace

bool listen_to_wav(const Listen_Request& request, Byte_Source& in, Byte_Sink& out,
                   std::string& error) {
  std::shared_ptr<const std::vector<unsigned char>> image;
  if (request.path == "-") {
    auto bytes = std::make_shared<std::vector<unsigned char>>();
    char block[65536];
    for (std::size_t n; (n = in.read_some(block, sizeof block)) > 0;)
      bytes->insert(bytes->end(), block, block + n);
    if (in.error() != 0) {
      error = std::string("cannot read the input: ") + std::strerror(in.error());
      return false;
    }
    image = std::move(bytes);
  } else {
    bool too_large = false;
    image = read_whole_file(request.path, too_large);
    if (too_large) {
      error = "\"" + request.path + "\" is larger than the 2 GB the player reads";
      return false;
    }
    if (image == nullptr) {
      // Read again the way the player reads, for its message.
      Sound_File file = read_sound_file(request.path);
      if (file.image == nullptr) {
        error = file.error;
        return false;
      }
      image = file.image;
    }
  }
  if (image->empty()) return true;

  const std::string name = request.path == "-" ? "the standard input" : "\"" + request.path + "\"";
  const Wav_Format format = wav_format(*image);
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(std::min<std::uint32_t>(format.rate, 1u << 30));
  wanted.channels = static_cast<Uint8>(format.plain_16_bit ? format.channels : 1);
  wanted.format = format.plain_16_bit ? AUDIO_S16LSB : AUDIO_F32SYS;
  const auto sound = format.rate > 0 ? decode_for_device(*image, wanted) : nullptr;
  if (sound == nullptr) {
    if (format.rate > 0 && has_empty_data(*image)) return true;
    // A header that reads as a WAV fails to decode without the library too.
    const std::string no_library = format.rate > 0 ? sdl_library_failure() : std::string();
    error = no_library.empty() ? name + " is no WAV file that can be played" : no_library;
    return false;
  }

  Listen_Output output(request, out);
  Morse_Listener listener(wanted.freq);
  const auto count = static_cast<std::size_t>(sound->frames);
  constexpr std::size_t block = 1 << 14;
  std::vector<float> mono(block);
  for (std::size_t at = 0; at < count && !output.failed(); at += block) {
    const std::size_t n = std::min(block, count - at);
    if (format.plain_16_bit) {
      // Little-endian 16-bit frames, their channels mixed down.
      const unsigned char* frame = sound->bytes.data() + at * 2 * wanted.channels;
      const float scale = 1.0f / (32768.0f * wanted.channels);
      for (std::size_t i = 0; i < n; ++i) {
        int sum = 0;
        for (int c = 0; c < wanted.channels; ++c, frame += 2)
          sum += static_cast<std::int16_t>(frame[0] | frame[1] << 8);
        mono[i] = float(sum) * scale;
      }
      listener.feed(mono.data(), n);
    } else {
      listener.feed(reinterpret_cast<const float*>(sound->bytes.data()) + at, n);
    }
    output.add(listener.take(), false);
  }
  listener.finish();
  output.add(listener.take(), true);
  if (output.failed()) {
    error = "cannot write the output";
    if (out.error() != 0) error += std::string(": ") + std::strerror(out.error());
    return false;
  }
  return true;
}
