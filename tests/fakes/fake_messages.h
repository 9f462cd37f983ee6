#pragma once
// A scripted stand-in for the message boxes: records every box and answers
// from a queue (Yes, or Ok for an Ok-only box, when the queue is empty).

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/messages.h"

struct Shown_Message {
  std::string text;
  Message_Icon icon;
  Message_Buttons buttons;
};

class Fake_Messages final : public Messages {
 public:
  Message_Answer show(const std::string& text, Message_Icon icon,
                      Message_Buttons buttons) override {
    shown.push_back({text, icon, buttons});
    if (while_shown) while_shown();
    if (buttons == Message_Buttons::Ok) return Message_Answer::Ok;
    if (answers.empty()) return Message_Answer::Yes;
    const Message_Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Shown_Message> shown;
  std::deque<Message_Answer> answers;
  // Runs while a box is "open", where a real box would run a nested event loop.
  std::function<void()> while_shown;
};

// Every line of a message, a last empty one after a closing line break included.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}
