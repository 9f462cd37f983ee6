#include "sound/sound_selection.h"

#include <utility>

#include "engine/strutil.h"
#include "sound/sound_file.h"

namespace {

const std::string kSeparator(1, kFolder_Separator);

bool is_blank(unsigned char c) { return c <= 0x20; }

// Everything up to and including the last separator (on Windows a drive
// colon ends a folder too); empty for a bare file name.
std::string folder_part(const std::string& path) {
#ifdef _WIN32
  const auto end = path.find_last_of("\\:");
#else
  const auto end = path.find_last_of('/');
#endif
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string dialog_title(int selector) {
  switch (selector) {
    case 1:
      return "Select \"Dot\" Sound :";
    case 2:
      return "Select \"Dash\" Sound :";
    default:
      return "ERROR: Select_Load_Dot_Dash_Sound_Effect - Parameter Out of Range";
  }
}

bool is_sound_selector(int selector) { return selector == 1 || selector == 2; }

}  // namespace

std::string Tidy_Directory_Path(std::string s) {
  if (s.empty() || s == kSeparator || s == ".." || s == "." || s == "." + kSeparator ||
      s == ".." + kSeparator) {
    return {};
  }
  std::size_t first = 0;
  while (first < s.size() && is_blank(s[first])) ++first;
  std::size_t last = s.size();
  while (last > first && is_blank(s[last - 1])) --last;
  return STRUTIL_Replace_All(s.substr(first, last - first) + kSeparator, kSeparator + kSeparator,
                             kSeparator);
}

void Select_Load_Dot_Dash_Sound_Effect(int selector, Sound_Selection_Window& w) {
  Open_Dialog_Request request;
  request.title = dialog_title(selector);
  request.filter = "WAVE Files (*.wav)|*.wav|All Files (*.*)|*.*";

  const std::string last_directory = Tidy_Directory_Path(w.last_directory());
  w.set_last_directory(last_directory);
  request.initial_folder =
      !last_directory.empty() && w.folder_exists(last_directory) ? last_directory : w.data_folder();

  request.initial_file =
      is_sound_selector(selector) ? w.sound_file_name(selector) : w.dialog_file_name();
  if (!w.file_exists(request.initial_file)) request.initial_file.clear();

  const std::optional<std::string> chosen = w.choose_file(request);
  // The dialog insists on an existing file, but the file may vanish before
  // it closes.
  if (!chosen || !w.file_exists(*chosen)) return;

  if (is_sound_selector(selector)) {
    w.set_sound_file_name(selector, *chosen);
    Sound_File sound = read_sound_file(*chosen);
    if (!sound.image) {
      w.show_error(sound.error);
      return;
    }
    // The player shares the old image while it loops it, so replacing the
    // stream here never leaves it reading freed bytes.
    w.set_sound_image(selector, std::move(sound.image));
  }
  w.set_last_directory(folder_part(*chosen));
}

void start_dot_loop(Sound_Selection_Window& w) { w.player().play_loop(w.dot_sound()); }

void stop_all_sounds(Sound_Selection_Window& w) { w.player().stop_all(); }

std::vector<std::string> dialog_name_filters(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> filters;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const std::string& text = parts[i];
    if (i + 1 == parts.size()) {
      if (!text.empty()) filters.push_back(text);
      break;
    }
    const std::string& pattern = parts[i + 1];
    filters.push_back(text.find(pattern) != std::string::npos ? text : text + " (" + pattern + ")");
  }
  return filters;
}
