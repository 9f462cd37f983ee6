#pragma once
// What playback, the "Test" buttons and mouse keying need of the window.

#include <string>

#include "platform/audio_player.h"
#include "platform/clock.h"
#include "sound/message_loop.h"
#include "sound/text_lines.h"

enum class Element { Dot, Dash };

class Sound_Window {
 public:
  virtual ~Sound_Window() = default;

  virtual Audio_Player& player() = 0;
  // Dot_Sound_Stream or Dash_Sound_Stream.
  virtual Sound_Image sound(Element element) const = 0;
  // The text of the element's file name box.
  virtual std::string sound_file_name(Element element) const = 0;
  virtual bool file_exists(const std::string& path) const = 0;
  // A modal error box with one OK button.
  virtual void show_error(const std::string& text) = 0;

  virtual Clock& clock() = 0;
  virtual Message_Loop& message_loop() = 0;

  // The halt flag of playback.
  virtual bool halt_flag() const = 0;
  virtual void set_halt_flag(bool on) = 0;
  virtual void set_play_buttons_enabled(bool enabled) = 0;
  virtual void set_halt_button_enabled(bool enabled) = 0;
  virtual void set_letter_timer_running(bool running) = 0;
  // The "Current Letter" indicator.
  virtual void set_letter_indicator(bool on) = 0;

  // Delays in milliseconds, read afresh at each use.
  virtual int letter_playback_delay() const = 0;
  virtual int dot_dash_playback_delay() const = 0;
  virtual int letter_input_delay() const = 0;

  // Adds `c` at the end of the input area's last line (a final empty line
  // after a closing line break is no line; on an empty area `c` becomes the
  // first line). Nothing already in the area is read back or rewritten.
  virtual void append_to_input_last_line(char c) = 0;
};
