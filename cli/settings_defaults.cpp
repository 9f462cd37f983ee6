#include "cli/settings_defaults.h"

#include "shell/settings_file.h"

namespace {

// The settings reader hands every key to a window; this one keeps the few
// that the command line uses and lets the rest pass.
class Settings_Catcher final : public Settings_Window {
 public:
  Settings_Defaults values;

  int top() override { return 0; }
  int left() override { return 0; }
  int width() override { return 0; }
  int height() override { return 0; }
  void set_top(int) override {}
  void set_left(int) override {}
  void set_width(int) override {}
  void set_height(int) override {}
  bool is_maximised() override { return false; }
  void restore_from_maximised() override {}
  bool always_on_top() override { return false; }
  bool auto_run() override { return false; }
  void set_always_on_top(bool) override {}
  void set_auto_run(bool) override {}
  int alphabet() override { return values.alphabet; }
  int mouse_option() override { return 0; }
  void set_alphabet(int index) override { values.alphabet = index < 0 ? 0 : index; }
  void set_mouse_option(int) override {}
  int letter_input_delay() override { return 0; }
  int letter_playback_delay() override { return values.letter_delay; }
  int dot_dash_playback_delay() override { return values.element_delay; }
  void set_letter_input_delay(int) override {}
  void set_letter_playback_delay(int ms) override { values.letter_delay = ms; }
  void set_dot_dash_playback_delay(int ms) override { values.element_delay = ms; }
  std::string dot_sound_file() override { return values.dot_file; }
  std::string dash_sound_file() override { return values.dash_file; }
  void set_dot_sound_file(const std::string& path) override { values.dot_file = path; }
  void set_dash_sound_file(const std::string& path) override { values.dash_file = path; }
};

}  // namespace

Settings_Defaults read_settings_defaults(const App_Folders& folders) {
  Settings_Catcher catcher;
  read_settings(catcher, folders);
  return catcher.values;
}
