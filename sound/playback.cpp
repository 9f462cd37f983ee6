#include "sound/playback.h"

#include <string_view>

#include "sound/delay.h"
#include "sound/morse_sounds.h"

namespace {

// Outer blanks (spaces and control characters) never cause a pause.
std::string_view trimmed(std::string_view line) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

void play_element(Element element, Sound_Window& window) {
  window.set_letter_indicator(true);
  Play_Element_Sound(element, window);
  Delay_Millisec(window.dot_dash_playback_delay(), window.clock(), window.message_loop());
}

}  // namespace

void Play_Back_Memo_Morse_Code(Text_Lines& area, Sound_Window& window) {
  window.set_play_buttons_enabled(false);
  window.set_letter_timer_running(false);
  window.message_loop().run_pending();
  window.set_halt_flag(false);
  window.set_halt_button_enabled(true);

  // The count is read before every line: lines may come and go meanwhile.
  for (int i = 0; i < area.count() && !window.halt_flag(); ++i) {
    const std::string line(trimmed(area.line(i)));
    for (const char c : line) {
      if (window.halt_flag()) break;
      switch (c) {
        case ' ':
          window.set_letter_indicator(false);
          Delay_Millisec(window.letter_playback_delay(), window.clock(), window.message_loop());
          break;
        case '-':
          play_element(Element::Dash, window);
          break;
        case '.':
          play_element(Element::Dot, window);
          break;
        default:
          break;
      }
      window.message_loop().run_pending();
    }
  }

  window.set_halt_button_enabled(false);
  window.set_letter_timer_running(true);
  window.set_play_buttons_enabled(true);
}
