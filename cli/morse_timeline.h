#pragma once
// The pacing of the window's playback, counted in sample frames instead of
// waited out: each "." or "-" is its sound followed by the element delay,
// each space inside a line is the letter delay, anything else is nothing,
// a line's outer blanks are passed over and a line break adds no pause.

#include <cstdint>
#include <string_view>

#include "sound/sound_window.h"

class Timeline_Sink {
 public:
  virtual ~Timeline_Sink() = default;
  // The element's whole sound, from the next frame on.
  virtual void sound(Element element) = 0;
  virtual void silence(std::int64_t frames) = 0;
};

class Morse_Timeline {
 public:
  Morse_Timeline(int frames_per_second, int element_delay_ms, int letter_delay_ms,
                 Timeline_Sink& sink);

  // One line of code-page bytes.
  void play_line(std::string_view line) { play(sounding_part(line)); }

  // What play_line() plays of a line: the line without its outer blanks.
  static std::string_view sounding_part(std::string_view line);
  // Plays `elements` as they are, outer blanks too. Since a line break adds
  // no pause, the sounding parts of lines joined play as the lines did.
  void play(std::string_view elements);

 private:
  void pause(int ms);
  std::int64_t frames_at(std::int64_t ms) const;

  std::int64_t rate_;
  int element_delay_ms_;
  int letter_delay_ms_;
  Timeline_Sink& sink_;
  // Every pause is cut at the frame its end falls in, counted from the sum of
  // all pauses so far: rounding never adds up over an hour of Morse.
  std::int64_t paused_ms_ = 0;
  std::int64_t paused_ms_max_;
};
