#pragma once
// Every modal box the program shows goes through this one service, so that
// logic can be tested with a scripted fake and no test ever waits on a box.

#include <string>

enum class Message_Icon { Information, Warning, Error };
enum class Message_Buttons { Ok, Yes_No };
enum class Message_Answer { Ok, Yes, No };

class Messages {
 public:
  virtual ~Messages() = default;
  // Shows `text` (UTF-8) modally and returns the button pressed; a box dismissed
  // without a button counts as No (or Ok for a box that has only Ok).
  virtual Message_Answer show(const std::string& text, Message_Icon icon,
                              Message_Buttons buttons) = 0;
};
