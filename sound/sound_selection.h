#pragma once
// Choosing the dot and dash sound files in a file-open dialog that remembers,
// for the rest of the run, the folder the last file came from; and the two
// Settings buttons that loop the dot sound and stop it.

#include <optional>
#include <string>
#include <vector>

#include "platform/audio_player.h"

// The native folder separator: the folder paths below end with it.
#ifdef _WIN32
inline constexpr char kFolder_Separator = '\\';
#else
inline constexpr char kFolder_Separator = '/';
#endif

// What the file-open dialog is shown with. Its options never change: the
// read-only box is hidden, the path and the file must exist, the dialog can be
// resized, and one file is chosen.
struct Open_Dialog_Request {
  std::string title;
  std::string filter;          // "text|pattern|text|pattern", see dialog_name_filters
  std::string initial_folder;  // with its trailing separator
  std::string initial_file;    // full path, or empty for none
};

// What a sound selection needs of the window. Selector 1 is the dot, 2 the dash.
class Sound_Selection_Window {
 public:
  virtual ~Sound_Selection_Window() = default;
  // The file name edit box of the dot (1) or the dash (2).
  virtual std::string sound_file_name(int selector) const = 0;
  virtual void set_sound_file_name(int selector, const std::string& name) = 0;
  // Replaces the sound stream of the dot (1) or the dash (2) whole.
  virtual void set_sound_image(int selector, Sound_Image image) = 0;
  virtual Sound_Image dot_sound() const = 0;
  // The hidden edit box that holds the remembered folder.
  virtual std::string last_directory() const = 0;
  virtual void set_last_directory(const std::string& folder) = 0;
  // The folder of the shipped tones, with its trailing separator.
  virtual std::string data_folder() const = 0;
  virtual bool folder_exists(const std::string& path) const = 0;
  virtual bool file_exists(const std::string& path) const = 0;
  // The file name the shared dialog holds from its last use: the initial file
  // of the last request, or the file chosen then. Empty before the first use.
  virtual std::string dialog_file_name() const = 0;
  // Shows the shared file-open dialog modally and returns the chosen file's
  // full path with native separators, or nothing when the user cancels. The
  // dialog keeps request.initial_file, or the chosen file, as its file name.
  virtual std::optional<std::string> choose_file(const Open_Dialog_Request& request) = 0;
  // The program's general error box.
  virtual void show_error(const std::string& text) = 0;
  virtual Audio_Player& player() = 0;
};

// "" for "", the separator alone, "..", ".", "./" and "../" (compared before
// trimming); otherwise s without leading and trailing spaces and control
// characters, with one separator added at the end and every run of separators
// made one (a leading "//" too). On Windows the separator is '\'.
std::string Tidy_Directory_Path(std::string s);

// Asks for the dot (1) or dash (2) sound file and loads it into the matching
// stream; the edit box then holds the chosen path and the remembered folder
// becomes that file's folder. Any other selector still shows the dialog, with
// an error title, and loads nothing. A file that cannot be read is reported
// through show_error; the edit box then shows the new name while the stream
// and the remembered folder keep their previous values.
void Select_Load_Dot_Dash_Sound_Effect(int selector, Sound_Selection_Window& w);

// "Snd Loop" (Button1Click): the dot sound repeats in the background until
// stopped. A sound the player refuses, an empty one included, is ignored.
void start_dot_loop(Sound_Selection_Window& w);

// "Stop" (Button2Click): stops every sound the program is playing.
void stop_all_sounds(Sound_Selection_Window& w);

// The dialog filter "text|pattern|text|pattern" as a list of name filters in
// the "text (pattern)" form: the text alone when it already shows its pattern,
// else the text followed by " (pattern)".
std::vector<std::string> dialog_name_filters(const std::string& filter);
