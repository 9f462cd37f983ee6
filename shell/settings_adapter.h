#pragma once
// The main window as the settings file sees it.

#include <QRect>
#include <optional>

#include "shell/outer_bounds.h"
#include "shell/settings_file.h"

class TMainForm1;

class Window_Settings final : public Settings_Window {
 public:
  explicit Window_Settings(TMainForm1& form);
  // Puts the window at the bounds read, once all four have been read.
  void place_window();
  void maximise_window();
  int top() override;
  int left() override;
  int width() override;
  int height() override;
  void set_top(int top) override;
  void set_left(int left) override;
  void set_width(int width) override;
  void set_height(int height) override;
  bool is_maximised() override;
  void restore_from_maximised() override;
  bool always_on_top() override;
  bool auto_run() override;
  void set_always_on_top(bool checked) override;
  void set_auto_run(bool checked) override;
  int alphabet() override;
  int mouse_option() override;
  void set_alphabet(int index) override;
  void set_mouse_option(int index) override;
  int letter_input_delay() override;
  int letter_playback_delay() override;
  int dot_dash_playback_delay() override;
  void set_letter_input_delay(int ms) override;
  void set_letter_playback_delay(int ms) override;
  void set_dot_dash_playback_delay(int ms) override;
  std::string dot_sound_file() override;
  std::string dash_sound_file() override;
  void set_dot_sound_file(const std::string& path) override;
  void set_dash_sound_file(const std::string& path) override;

 private:
  QRect bounds() const;

  TMainForm1& form_;
  Outer_Bounds outer_;
  // The normal bounds taken just before a close restores a maximised window,
  // whose own geometry follows only later.
  std::optional<QRect> restored_;
};
