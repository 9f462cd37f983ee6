// Paste, copy and reset as sequences of window operations.

#include "panels/memo_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every operation; clearing an area runs that area's change handler,
// which enables buttons as a real window's handlers may.
class Recording_Memos final : public Memo_Window {
 public:
  void set_enabled(Command_Button b, bool on) override {
    enabled[static_cast<int>(b)] = on;
    calls.push_back("button " + std::to_string(static_cast<int>(b)) + (on ? " on" : " off"));
  }
  bool clipboard_has_text() const override { return has_text; }
  void clear_input() override {
    calls.push_back("clear input");
    set_enabled(Command_Button::Convert_Text_to_Morse, true);
  }
  void clear_output() override { calls.push_back("clear output"); }
  void paste_clipboard_into_input() override { calls.push_back("paste"); }
  void place_input_caret(int pos) override { calls.push_back("caret " + std::to_string(pos)); }
  void select_all_of_output() override { calls.push_back("select output"); }
  void copy_output_selection() override { calls.push_back("copy output"); }
  void show_information(const std::string& text) override { calls.push_back("box " + text); }

  bool has_text = true;
  bool enabled[4] = {true, true, true, true};
  std::vector<std::string> calls;
};

TEST(Memo_Commands, ResetLeavesTheFourButtonsDisabledWhateverTheClearsSet) {
  Recording_Memos w;
  Reset_Memos(w);
  EXPECT_EQ(w.calls.front(), "clear input");
  EXPECT_EQ(w.calls[2], "clear output");
  for (bool on : w.enabled) EXPECT_FALSE(on);
  // Again on empty areas: still all disabled.
  Reset_Memos(w);
  for (bool on : w.enabled) EXPECT_FALSE(on);
}

TEST(Memo_Commands, PasteReplacesTheInputOrSaysThereIsNoText) {
  Recording_Memos w;
  paste_clipboard_into_input(w);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"clear input", "button 0 on", "paste", "caret 1"}));

  Recording_Memos empty;
  empty.has_text = false;
  paste_clipboard_into_input(empty);
  EXPECT_EQ(empty.calls, (std::vector<std::string>{"box There is no text on the Clipboard"}));
}

TEST(Memo_Commands, CopySelectsTheWholeOutputFirst) {
  Recording_Memos w;
  copy_output_to_clipboard(w);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"select output", "copy output"}));
}

}  // namespace
