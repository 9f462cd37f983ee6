#pragma once
// What listening to the microphone needs of the window.

#include <string>

class Listening_Window {
 public:
  virtual ~Listening_Window() = default;
  // As mouse keying appends: at the end of the input area's last line,
  // nothing there read back or rewritten.
  virtual void append_to_input_last_line(const std::string& text) = 0;
  // Before the first code of a listening: a space after what the last line
  // holds, unless it is empty or ends in one, so that the code stands apart.
  virtual void set_input_apart() = 0;
  // The "Current Letter" indicator.
  virtual void set_letter_indicator(bool on) = 0;
  // The keying box's caption; empty: its own.
  virtual void set_keying_caption(const std::string& caption) = 0;
  // The menu item's check mark.
  virtual void set_listening_checked(bool on) = 0;
  // The timer that calls Microphone_Listening::tick().
  virtual void set_listening_timer_running(bool running) = 0;
  // A modal error box with one OK button.
  virtual void show_error(const std::string& text) = 0;
};
