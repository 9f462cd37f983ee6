#pragma once
// The main window as playback, the "Test" buttons, mouse keying and the
// choice of the sound files see it.

#include <QFileDialog>
#include <QLineEdit>
#include <functional>
#include <optional>

#include "sound/sound_selection.h"
#include "sound/sound_window.h"

class TMainForm1;

class Window_Sounds final : public Sound_Window {
 public:
  explicit Window_Sounds(TMainForm1& form) : form_(form) {}

  Audio_Player& player() override;
  Sound_Image sound(Element element) const override;
  std::string sound_file_name(Element element) const override;
  bool file_exists(const std::string& path) const override;
  void show_error(const std::string& text) override;
  Clock& clock() override;
  Message_Loop& message_loop() override;
  bool halt_flag() const override;
  void set_halt_flag(bool on) override;
  void set_play_buttons_enabled(bool enabled) override;
  void set_halt_button_enabled(bool enabled) override;
  void set_letter_timer_running(bool running) override;
  void set_letter_indicator(bool on) override;
  int letter_playback_delay() const override;
  int dot_dash_playback_delay() const override;
  int letter_input_delay() const override;
  void append_to_input_last_line(char c) override;

 private:
  TMainForm1& form_;
};

// Shows the file-open dialog modally and gives the chosen file, or nothing on
// Cancel. Tests put a script in its place.
using File_Dialog_Runner = std::function<std::optional<QString>(QFileDialog& dialog)>;

class Window_Sound_Selection final : public Sound_Selection_Window {
 public:
  explicit Window_Sound_Selection(TMainForm1& form) : form_(form) {}

  std::string sound_file_name(int selector) const override;
  void set_sound_file_name(int selector, const std::string& name) override;
  void set_sound_image(int selector, Sound_Image image) override;
  Sound_Image dot_sound() const override;
  std::string last_directory() const override;
  void set_last_directory(const std::string& folder) override;
  std::string data_folder() const override;
  bool folder_exists(const std::string& path) const override;
  bool file_exists(const std::string& path) const override;
  std::string dialog_file_name() const override { return dialog_file_name_; }
  std::optional<std::string> choose_file(const Open_Dialog_Request& request) override;
  void show_error(const std::string& text) override;
  Audio_Player& player() override;

  File_Dialog_Runner run_dialog = [](QFileDialog& dialog) -> std::optional<QString> {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
  };

 private:
  QLineEdit* name_edit(int selector) const;

  TMainForm1& form_;
  std::string dialog_file_name_;
};
