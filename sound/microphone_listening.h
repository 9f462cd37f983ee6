#pragma once
// The window listening to the microphone: started and stopped from the menu,
// it hears the device at every tick of a timer and appends the Morse code
// decided to the input area, shows each letter on the indicator and the tone
// and speed heard in the keying box's caption. A device that goes away stops
// it with a message; what was decided until then stays.

#include <functional>
#include <memory>

#include "platform/audio_capture.h"
#include "sound/listening_window.h"
#include "sound/live_listening.h"

class Microphone_Listening {
 public:
  using Opener = std::function<Capture_Opening()>;
  // Ticks the indicator stays on after a letter.
  static constexpr int indicator_ticks = 6;

  Microphone_Listening(Listening_Window& window, Opener open);
  ~Microphone_Listening();

  bool listening() const { return live_ != nullptr; }
  // The menu item: starts listening, or stops it.
  void toggle();
  // Ends listening, deciding and appending what is still open; nothing when
  // not listening.
  void stop();
  // The timer's tick.
  void tick();

 private:
  void append(const std::string& morse);

  Listening_Window& window_;
  Opener open_;
  std::unique_ptr<Live_Listening> live_;
  std::string caption_;
  int indicator_left_ = 0;
  char last_ = ' ';  // the last character appended
  bool appended_ = false;
};
