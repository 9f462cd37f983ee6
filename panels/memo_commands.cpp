#include "panels/memo_commands.h"

void Reset_Memos(Memo_Window& window) {
  window.clear_input();
  window.clear_output();
  window.set_enabled(Command_Button::Convert_Text_to_Morse, false);
  window.set_enabled(Command_Button::Convert_Morse_to_Text, false);
  window.set_enabled(Command_Button::Play_Back_Input_Memo, false);
  window.set_enabled(Command_Button::Play_Back_Output_Memo, false);
}

void paste_clipboard_into_input(Memo_Window& window) {
  if (!window.clipboard_has_text()) {
    window.show_information(kNo_Text_On_Clipboard);
    return;
  }
  window.clear_input();
  window.paste_clipboard_into_input();
  // Position 1, just after the first character, scrolls the start into view.
  window.place_input_caret(1);
}

void copy_output_to_clipboard(Memo_Window& window) {
  window.select_all_of_output();
  window.copy_output_selection();
}
