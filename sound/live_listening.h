#pragma once
// Listening to a capture device as it is heard: what the device has captured
// goes to a live listener at each poll, and the Morse code it has decided
// comes out in the program's own form (each code followed by one space, three
// spaces between two words).

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "listen/morse_listener.h"
#include "platform/audio_capture.h"

class Live_Listening {
 public:
  // Later elements each element waits for (or 0.4 s of later sound, for a
  // slow sender): few enough that a letter shows well within a second of its
  // end at usual speeds.
  static constexpr std::size_t lookahead = 2;

  explicit Live_Listening(std::unique_ptr<Audio_Capture> capture);

  // Hears what the device has captured since the last poll. False once the
  // device has gone; what was heard until then stays decided.
  bool poll();
  // The Morse code decided since the last call.
  std::string take() { return listener_.take(); }
  // Decides what is still open, as at the end of a recording.
  void finish();

  // "Listening: 712 Hz, 18 WPM", or "Listening: no tone yet".
  std::string caption() const;

 private:
  std::unique_ptr<Audio_Capture> capture_;
  Morse_Listener listener_;
  std::vector<float> samples_;
  bool gone_ = false;
};

// What the user is told when listening cannot start, or stops by itself.
std::string capture_failure_message(const Capture_Opening& opening);
inline constexpr char kCapture_Lost_Message[] =
    "The sound input was lost while listening (was the microphone unplugged?). Listening has "
    "stopped; what was heard until then is kept.";

// The caption for a tone and speed, as Live_Listening::caption gives it.
std::string listening_caption(std::optional<double> tone_hz, double wpm);
