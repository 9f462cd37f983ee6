#include "shell/settings_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "shell/profile_file.h"

namespace {

constexpr const char* section = "tapwrenz";

constexpr const char* key_maximised = "WindowState_wsMaximized";
constexpr const char* key_top = "window_top_posn";
constexpr const char* key_left = "window_left_posn";
constexpr const char* key_width = "window_Width";
constexpr const char* key_height = "window_Height";
constexpr const char* key_on_top = "Always_on_Top_Option";
constexpr const char* key_auto_run = "Auto_Run_at_Windows_Startup_Option";
constexpr const char* key_alphabet = "Alphabet_RadioGroup";
constexpr const char* key_mouse = "Mouse_LMB_RMB_Option_RadioGroup";
constexpr const char* key_input_delay = "Letter_Input_Delay_Millisec_SpinEdit";
constexpr const char* key_playback_delay = "Letter_Playback_Delay_Millisec_SpinEdit";
constexpr const char* key_dot_dash_delay = "Dot_Dash_Playback_Delay_Millisec_SpinEdit";
constexpr const char* key_dot_file = "Dot_Sound_File_Name_Edit";
constexpr const char* key_dash_file = "Dash_Sound_File_Name_Edit";

constexpr int alphabet_max = 3;
constexpr int mouse_option_max = 1;

}  // namespace

std::string settings_file_path(const App_Folders& folders) { return folders.settings_file(); }

bool read_settings(Settings_Window& window, const App_Folders& folders) {
  const std::string path = settings_file_path(folders);
  auto number = [&](const char* key, int default_value) {
    return read_profile_int(path, section, key, default_value);
  };
  auto flag = [&](const char* key, bool default_value) {
    return number(key, default_value ? 1 : 0) != 0;
  };
  auto index = [&](const char* key, int max) { return std::clamp(number(key, 0), -1, max); };
  auto delay = [&](const char* key, int default_value) {
    return std::clamp(number(key, default_value), settings_delay_min, settings_delay_max);
  };

  window.set_top(number(key_top, 10));
  window.set_left(number(key_left, 10));
  window.set_width(number(key_width, 636));
  window.set_height(number(key_height, 505));
  window.set_always_on_top(flag(key_on_top, false));
  window.set_auto_run(flag(key_auto_run, false));
  const bool maximised = flag(key_maximised, false);
  window.set_alphabet(index(key_alphabet, alphabet_max));
  window.set_mouse_option(index(key_mouse, mouse_option_max));
  window.set_letter_input_delay(delay(key_input_delay, 400));
  window.set_letter_playback_delay(delay(key_playback_delay, 300));
  window.set_dot_dash_playback_delay(delay(key_dot_dash_delay, 50));
  window.set_dot_sound_file(
      read_profile_string(path, section, key_dot_file, folders.data + kDot_Tone_File_Name));
  window.set_dash_sound_file(
      read_profile_string(path, section, key_dash_file, folders.data + kDash_Tone_File_Name));
  return maximised;
}

bool Save_Settings(Settings_Window& window, Messages& messages, const App_Folders& folders) {
  const std::string path = settings_file_path(folders);
  if (folders.installed) {
    // The user's config folder is made on the first save, private to the
    // user; a failure shows as the first key's failed write.
    std::error_code error;
    if (std::filesystem::create_directories(folders.settings, error)) {
      std::filesystem::permissions(folders.settings, std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::replace, error);
    }
  }
  bool failed = false;
  // Each write runs only while all before it succeeded; the first failure is
  // reported and ends the save.
  auto write = [&](const char* key, const std::string& value) {
    if (failed) return;
    if (write_profile_string(path, section, key, value)) return;
    failed = true;
    messages.show("Unable to write to " + path, Message_Icon::Error, Message_Buttons::Ok);
  };
  auto number = [&](const char* key, int value) { write(key, std::to_string(value)); };
  auto flag = [&](const char* key, bool value) { write(key, value ? "1" : "0"); };

  const bool maximised = window.is_maximised();
  flag(key_maximised, maximised);
  if (failed) return false;
  if (maximised) window.restore_from_maximised();
  number(key_top, window.top());
  number(key_left, window.left());
  number(key_width, window.width());
  number(key_height, window.height());
  flag(key_on_top, window.always_on_top());
  flag(key_auto_run, window.auto_run());
  number(key_alphabet, window.alphabet());
  number(key_mouse, window.mouse_option());
  number(key_input_delay, window.letter_input_delay());
  number(key_playback_delay, window.letter_playback_delay());
  number(key_dot_dash_delay, window.dot_dash_playback_delay());
  write(key_dot_file, window.dot_sound_file());
  write(key_dash_file, window.dash_sound_file());
  return !failed;
}
