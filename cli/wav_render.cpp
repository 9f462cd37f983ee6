#include "cli/wav_render.h"

#include <cstring>

#include "cli/line_reader.h"
#include "cli/morse_timeline.h"
#include "cli/wav_writer.h"
#include "shell/code_page.h"

namespace {

class Wav_Sink final : public Timeline_Sink {
 public:
  Wav_Sink(Wav_Writer& writer, const Element_Sounds& sounds) : writer_(writer), sounds_(sounds) {}
  void sound(Element element) override {
    const std::vector<unsigned char>& s = element == Element::Dot ? sounds_.dot : sounds_.dash;
    writer_.write_frames(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
    ++elements;
  }
  void silence(std::int64_t frames) override { writer_.write_silence(frames); }
  std::uint64_t elements = 0;

 private:
  Wav_Writer& writer_;
  const Element_Sounds& sounds_;
};

// The length of the samples, without them.
class Measuring_Sink final : public Timeline_Sink {
 public:
  explicit Measuring_Sink(const Element_Sounds& sounds) : sounds_(sounds) {}
  void sound(Element element) override {
    bytes += (element == Element::Dot ? sounds_.dot : sounds_.dash).size();
  }
  void silence(std::int64_t frames) override {
    bytes += static_cast<std::uint64_t>(frames) *
             static_cast<std::uint64_t>(sounds_.format.frame_bytes());
  }
  std::uint64_t bytes = 0;

 private:
  const Element_Sounds& sounds_;
};

bool is_element(char c) { return c == '.' || c == '-' || c == ' '; }

std::string read_error(const Byte_Source& in) {
  return std::string("cannot read the input: ") + std::strerror(in.error());
}

Wav_Render_Result render_to_file(const Wav_Render_Settings& settings, const Element_Sounds& sounds,
                                 Byte_Source& in) {
  Wav_Render_Result result;
  Wav_Writer writer(settings.path, sounds.format);
  Wav_Sink sink(writer, sounds);
  Morse_Timeline timeline(sounds.format.rate, settings.element_delay_ms, settings.letter_delay_ms,
                          sink);
  const Code_Page page = code_page_of_alphabet(settings.alphabet);
  Line_Reader reader(in);
  std::string_view line;
  while (writer.ok() && reader.next(line)) {
    timeline.play_line(encode_utf8_to_code_page(page, line));
  }
  result.elements = sink.elements;
  if (in.error() != 0) {
    result.error = read_error(in);
    return result;  // the writer removes what it wrote
  }
  if (!writer.commit()) {
    result.error = writer.error();
    return result;
  }
  result.ok = true;
  return result;
}

// Memory follows what sounds, a byte for each element; the input stops being
// read once its sound would not fit in a WAV file, so that is at most a few
// million bytes even at the shortest delays.
Wav_Render_Result render_to_stream(const Wav_Render_Settings& settings,
                                   const Element_Sounds& sounds, Byte_Source& in, Byte_Sink& out) {
  Wav_Render_Result result;
  Measuring_Sink measure(sounds);
  Morse_Timeline measured(sounds.format.rate, settings.element_delay_ms, settings.letter_delay_ms,
                          measure);
  const Code_Page page = code_page_of_alphabet(settings.alphabet);
  std::string elements;
  Line_Reader reader(in);
  std::string_view line;
  while (measure.bytes <= wav_data_bytes_max && reader.next(line)) {
    const std::string bytes = encode_utf8_to_code_page(page, line);
    const std::string_view part = Morse_Timeline::sounding_part(bytes);
    measured.play(part);
    for (const char c : part) {
      if (is_element(c)) elements += c;
    }
  }
  if (in.error() != 0) {
    result.error = read_error(in);
    return result;
  }
  Wav_Writer writer(out, sounds.format, measure.bytes);
  Wav_Sink sink(writer, sounds);
  Morse_Timeline timeline(sounds.format.rate, settings.element_delay_ms, settings.letter_delay_ms,
                          sink);
  if (writer.ok()) timeline.play(elements);
  result.elements = sink.elements;
  if (!writer.commit()) {
    result.error = writer.error();
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace

Wav_Render_Result render_wav(const Wav_Render_Settings& settings, const Element_Sounds& sounds,
                             Byte_Source& in, Byte_Sink& out) {
  return settings.path == "-" ? render_to_stream(settings, sounds, in, out)
                              : render_to_file(settings, sounds, in);
}
