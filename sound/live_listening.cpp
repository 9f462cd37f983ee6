#include "sound/live_listening.h"

#include <cmath>

Live_Listening::Live_Listening(std::unique_ptr<Audio_Capture> capture)
    : capture_(std::move(capture)), listener_(capture_->rate()) {
  listener_.set_live(lookahead);
}

bool Live_Listening::poll() {
  if (gone_) return false;
  samples_.clear();
  gone_ = !capture_->take(samples_);
  listener_.feed(samples_.data(), samples_.size());
  // The buffer is kept for the next poll, but not one grown by a long hold-up.
  if (samples_.capacity() > (std::size_t{1} << 16)) samples_ = {};
  return !gone_;
}

void Live_Listening::finish() { listener_.finish(); }

std::string Live_Listening::caption() const {
  return listening_caption(listener_.tone_hz(), listener_.wpm());
}

std::string listening_caption(std::optional<double> tone_hz, double wpm) {
  if (!tone_hz) return "Listening: no tone yet";
  std::string caption = "Listening: " + std::to_string(std::lround(*tone_hz)) + " Hz";
  if (wpm > 0) caption += ", " + std::to_string(std::lround(wpm)) + " WPM";
  return caption;
}

std::string capture_failure_message(const Capture_Opening& opening) {
  const std::string because = opening.reason.empty() ? "" : " (" + opening.reason + ")";
  if (opening.failure == Capture_Failure::No_Device)
    return "There is no sound input to listen to: no microphone or other capture device was "
           "found" +
           because + ".";
  return "The sound input could not be opened; another program may be using it" + because + ".";
}
