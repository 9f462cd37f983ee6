#include "sound/mouse_keying.h"

#include <chrono>

#include "sound/morse_sounds.h"

bool Mouse_Keyer::pause_passed(Sound_Window& window) const {
  if (!Last_Keyed_Time) return true;
  const std::chrono::duration<double, std::milli> gap = window.clock().now() - *Last_Keyed_Time;
  return gap.count() > window.letter_input_delay();
}

void Mouse_Keyer::press(Key_Button button, Sound_Window& window) {
  if (pause_passed(window)) {
    window.append_to_input_last_line(' ');
    window.set_letter_indicator(true);
  }
  switch (button) {
    case Key_Button::Left:
      Play_Element_Sound(Element::Dot, window, Sound_Start::At_Once);
      window.append_to_input_last_line('.');
      break;
    case Key_Button::Right:
      Play_Element_Sound(Element::Dash, window, Sound_Start::At_Once);
      window.append_to_input_last_line('-');
      break;
    case Key_Button::Middle:
      break;
  }
  Last_Keyed_Time = window.clock().now();
}

void Mouse_Keyer::tick(Sound_Window& window) {
  if (pause_passed(window)) window.set_letter_indicator(false);
}
