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
  }
  void silence(std::int64_t frames) override { writer_.write_silence(frames); }

 private:
  Wav_Writer& writer_;
  const Element_Sounds& sounds_;
};

}  // namespace

bool render_wav(const Wav_Render_Settings& settings, const Element_Sounds& sounds, Byte_Source& in,
                std::string& error) {
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
  if (in.error() != 0) {
    error = std::string("cannot read the input: ") + std::strerror(in.error());
    return false;  // the writer removes what it wrote
  }
  if (!writer.commit()) {
    error = writer.error();
    return false;
  }
  return true;
}
