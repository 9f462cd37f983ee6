#include "cli/morse_timeline.h"

#include <algorithm>
#include <limits>

Morse_Timeline::Morse_Timeline(int frames_per_second, int element_delay_ms, int letter_delay_ms,
                               Timeline_Sink& sink)
    : rate_(std::max(frames_per_second, 1)),
      element_delay_ms_(element_delay_ms),
      letter_delay_ms_(letter_delay_ms),
      sink_(sink),
      // Whole seconds times the rate must fit; far beyond what a WAV file
      // holds at any rate, so pauses past it are never written anyway.
      paused_ms_max_((std::numeric_limits<std::int64_t>::max() / rate_ - 1) * 1000) {}

std::int64_t Morse_Timeline::frames_at(std::int64_t ms) const {
  return ms / 1000 * rate_ + ms % 1000 * rate_ / 1000;
}

void Morse_Timeline::pause(int ms) {
  if (ms <= 0 || paused_ms_ > paused_ms_max_) return;
  const std::int64_t before = frames_at(paused_ms_);
  paused_ms_ += ms;
  const std::int64_t frames = frames_at(paused_ms_) - before;
  if (frames > 0) sink_.silence(frames);
}

std::string_view Morse_Timeline::sounding_part(std::string_view line) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

void Morse_Timeline::play(std::string_view elements) {
  for (const char c : elements) {
    switch (c) {
      case ' ':
        pause(letter_delay_ms_);
        break;
      case '.':
        sink_.sound(Element::Dot);
        pause(element_delay_ms_);
        break;
      case '-':
        sink_.sound(Element::Dash);
        pause(element_delay_ms_);
        break;
      default:
        break;
    }
  }
}
