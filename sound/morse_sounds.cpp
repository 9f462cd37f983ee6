#include "sound/morse_sounds.h"

#include <cctype>

std::string element_error_text(Element element) {
  const char* name = element == Element::Dot ? "Dot" : "Dash";
  return std::string("Error: The \"") + name +
         "\" sound does not exist or could NOT be played.\r\n\r\n"
         "Please check the sound(s) and try again.";
}

std::string no_sound_error_text(const std::string& reason) {
  std::string text = "Error: " + reason;
  if (text.size() > 7)
    text[7] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[7])));
  return text + ".";
}

void Play_Element_Sound(Element element, Sound_Window& window, Sound_Start start) {
  Audio_Player& player = window.player();
  const Sound_Image sound = window.sound(element);
  const bool played =
      start == Sound_Start::At_Once ? player.play_sync_at_once(sound) : player.play_sync(sound);
  const std::string name = window.sound_file_name(element);
  if (played && !name.empty() && window.file_exists(name)) return;
  window.set_halt_flag(true);
  window.message_loop().run_pending();
  const std::string no_sound = played ? std::string() : player.no_sound_reason();
  window.show_error(no_sound.empty() ? element_error_text(element) : no_sound_error_text(no_sound));
}
