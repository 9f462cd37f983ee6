#pragma once
// The user settings in "tapwrenz.ini" (where App_Folders says): fourteen keys in
// section "tapwrenz", read at start-up and written when the main window
// closes. The window is reached through a small interface, so that this logic
// needs no widgets.

#include <string>

#include "shell/app_folders.h"
#include "shell/messages.h"

// What the settings feed and come from.
class Settings_Window {
 public:
  virtual ~Settings_Window() = default;

  // Outer bounds of the main window in screen pixels, frame included.
  virtual int top() = 0;
  virtual int left() = 0;
  virtual int width() = 0;
  virtual int height() = 0;
  virtual void set_top(int top) = 0;
  virtual void set_left(int left) = 0;
  virtual void set_width(int width) = 0;
  virtual void set_height(int height) = 0;
  virtual bool is_maximised() = 0;
  // Brings a maximised window back to its normal bounds.
  virtual void restore_from_maximised() = 0;

  // Check marks of "Always on Top" and "Auto-Run at Windows Startup".
  virtual bool always_on_top() = 0;
  virtual bool auto_run() = 0;
  virtual void set_always_on_top(bool checked) = 0;
  virtual void set_auto_run(bool checked) = 0;

  // Selected indexes, -1 for none: alphabet 0..3, mouse button option 0..1.
  virtual int alphabet() = 0;
  virtual int mouse_option() = 0;
  virtual void set_alphabet(int index) = 0;
  virtual void set_mouse_option(int index) = 0;

  // The three delay spin edits in milliseconds; a text that is no number
  // reads as 25.
  virtual int letter_input_delay() = 0;
  virtual int letter_playback_delay() = 0;
  virtual int dot_dash_playback_delay() = 0;
  virtual void set_letter_input_delay(int ms) = 0;
  virtual void set_letter_playback_delay(int ms) = 0;
  virtual void set_dot_dash_playback_delay(int ms) = 0;

  // Full paths of the two WAV files.
  virtual std::string dot_sound_file() = 0;
  virtual std::string dash_sound_file() = 0;
  virtual void set_dot_sound_file(const std::string& path) = 0;
  virtual void set_dash_sound_file(const std::string& path) = 0;
};

inline constexpr int settings_delay_min = 25;
inline constexpr int settings_delay_max = 10000;

std::string settings_file_path(const App_Folders& folders);

// Reads every key in its order and hands each to the window at once; missing
// or malformed values take their defaults, indexes and delays are brought into
// range; the default sounds are the tones in the data folder. Returns whether
// the window is to be shown maximised, which is only remembered here, not
// applied.
bool read_settings(Settings_Window& window, const App_Folders& folders);

// Writes every key, the maximised state first; a maximised window is restored
// after that, so that the bounds written are its normal ones. At the first key
// that cannot be written it shows "Unable to write to <path>" once and writes
// no further key; the file then holds what it held before that key. Returns
// whether everything was written. The caller closes the window either way.
// An installed program's settings folder is made first when it is missing.
bool Save_Settings(Settings_Window& window, Messages& messages, const App_Folders& folders);
