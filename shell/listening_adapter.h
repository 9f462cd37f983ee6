#pragma once
// The main window as listening sees it: the microphone's Morse code and a
// recording's go to the input area as mouse keying's does.

#include <string>

#include "sound/listening_window.h"

class TMainForm1;

class Window_Listening final : public Listening_Window {
 public:
  explicit Window_Listening(TMainForm1& form) : form_(form) {}

  void append_to_input_last_line(const std::string& text) override;
  void set_input_apart() override;
  void set_letter_indicator(bool on) override;
  void set_keying_caption(const std::string& caption) override;
  void set_listening_checked(bool on) override;
  void set_listening_timer_running(bool running) override;
  void show_error(const std::string& text) override;

 private:
  TMainForm1& form_;
};

// "Open Recording...": a WAV file chosen in the sound dialog's style (from
// `folder`, which then becomes the chosen file's) decoded into the input
// area as `--listen FILE --to-morse` decodes it. The window stays live while
// it runs, and "Halt" ends it where it is; `halted`, set meanwhile by another
// source of input, ends it and drops what it would still append.
void listen_to_recording(TMainForm1& form, std::string& folder, const bool& halted);
