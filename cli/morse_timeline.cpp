#include "cli/morse_timeline.h"

Morse_Timeline::Morse_Timeline(int frames_per_second, int element_delay_ms, int letter_delay_ms,
                               Timeline_Sink& sink)
    : rate_(frames_per_second),
      element_delay_ms_(element_delay_ms),
      letter_delay_ms_(letter_delay_ms),
      sink_(sink) {}

void Morse_Timeline::pause(int ms) {
  if (ms <= 0) return;
  const std::int64_t before = paused_ms_ * rate_ / 1000;
  paused_ms_ += ms;
  const std::int64_t frames = paused_ms_ * rate_ / 1000 - before;
  if (frames > 0) sink_.silence(frames);
}

void Morse_Timeline::play_line(std::string_view line) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  for (const char c : line) {
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
