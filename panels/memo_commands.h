#pragma once
// Paste into the input area, copy the output area, and reset both. The
// commands always work on a whole area, never on the user's selection.

#include <string>

#include "panels/command_buttons.h"

// What the commands need of the window.
class Memo_Window : public Command_Buttons {
 public:
  virtual bool clipboard_has_text() const = 0;
  virtual void clear_input() = 0;
  virtual void clear_output() = 0;
  // Inserts the clipboard's plain text into the (empty) input area.
  virtual void paste_clipboard_into_input() = 0;
  // Puts the input area's caret at character position `pos`, counted from 0.
  virtual void place_input_caret(int pos) = 0;
  virtual void select_all_of_output() = 0;
  // Puts the output area's selection on the clipboard as plain text.
  virtual void copy_output_selection() = 0;
  virtual void show_information(const std::string& text) = 0;
};

inline constexpr char kNo_Text_On_Clipboard[] = "There is no text on the Clipboard";

// Empties both areas, then disables the two conversion and the two Play
// buttons, so they end disabled whatever the areas' change handlers set.
void Reset_Memos(Memo_Window& window);

// Replaces the whole input area with the clipboard's text and brings its start
// into view; with no text on the clipboard, says so and changes nothing.
void paste_clipboard_into_input(Memo_Window& window);

// Copies the whole output area; it stays selected.
void copy_output_to_clipboard(Memo_Window& window);
