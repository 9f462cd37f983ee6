#pragma once
// The four buttons whose state follows the content of the text areas.

enum class Command_Button {
  Convert_Text_to_Morse,
  Convert_Morse_to_Text,
  Play_Back_Input_Memo,
  Play_Back_Output_Memo,
};

class Command_Buttons {
 public:
  virtual ~Command_Buttons() = default;
  virtual void set_enabled(Command_Button button, bool enabled) = 0;
};
