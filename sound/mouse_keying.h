#pragma once
// Keying Morse code with the mouse: a left press sounds a dot and writes ".",
// a right press a dash and "-", into the last line of the input area. A pause
// longer than the letter input delay since the last press ends the letter:
// the next press writes a space first.

#include <optional>

#include "sound/sound_window.h"

enum class Key_Button { Left, Right, Middle };

class Mouse_Keyer {
 public:
  // A press in the keying box (GroupBox1MouseDown).
  void press(Key_Button button, Sound_Window& window);
  // The letter timer's tick: clears the indicator once the pause has passed.
  void tick(Sound_Window& window);
  // The next press starts a new letter (the window's activation does this).
  void forget_last_key() { Last_Keyed_Time.reset(); }

 private:
  bool pause_passed(Sound_Window& window) const;

  // When the handling of the last press ended, after its sound; none before
  // the first press and after every activation of the window.
  std::optional<Clock::Time> Last_Keyed_Time;
};
