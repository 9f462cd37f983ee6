#include "sound/microphone_listening.h"

#include <utility>

Microphone_Listening::Microphone_Listening(Listening_Window& window, Opener open)
    : window_(window), open_(std::move(open)) {}

Microphone_Listening::~Microphone_Listening() = default;

void Microphone_Listening::toggle() {
  if (listening()) {
    stop();
    return;
  }
  Capture_Opening opening = open_();
  if (!opening.capture) {
    window_.show_error(capture_failure_message(opening));
    return;
  }
  live_ = std::make_unique<Live_Listening>(std::move(opening.capture));
  last_ = ' ';
  appended_ = false;
  caption_ = live_->caption();
  window_.set_keying_caption(caption_);
  window_.set_listening_checked(true);
  window_.set_listening_timer_running(true);
}

void Microphone_Listening::stop() {
  if (!listening()) return;
  window_.set_listening_timer_running(false);
  live_->finish();
  append(live_->take());
  live_.reset();
  window_.set_letter_indicator(false);
  indicator_left_ = 0;
  window_.set_keying_caption({});
  window_.set_listening_checked(false);
}

void Microphone_Listening::tick() {
  if (!listening()) return;
  const bool there = live_->poll();
  append(live_->take());
  if (indicator_left_ > 0 && --indicator_left_ == 0) window_.set_letter_indicator(false);
  if (!there) {
    stop();
    window_.show_error(kCapture_Lost_Message);
    return;
  }
  const std::string caption = live_->caption();
  if (caption != caption_) {
    caption_ = caption;
    window_.set_keying_caption(caption_);
  }
}

void Microphone_Listening::append(const std::string& morse) {
  if (morse.empty()) return;
  if (!appended_) window_.set_input_apart();
  appended_ = true;
  window_.append_to_input_last_line(morse);
  for (const char c : morse) {
    // A code has ended: the letter is decided.
    if (c == ' ' && last_ != ' ') {
      window_.set_letter_indicator(true);
      indicator_left_ = indicator_ticks;
    }
    last_ = c;
  }
}
