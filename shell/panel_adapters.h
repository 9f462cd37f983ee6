#pragma once
// The main window as the panels see it: each adapter gives one panel exactly
// the operations it needs, over the window's controls.

#include <memory>

#include "panels/memo_commands.h"
#include "panels/morse_readout.h"
#include "panels/report_window.h"
#include "panels/window_scaling.h"
#include "shell/text_area.h"

class TMainForm1;
class TResults_Form;

class Window_Gauges final : public Morse_Gauge_Window {
 public:
  explicit Window_Gauges(TMainForm1& form) : form_(form) {}
  void set_enabled(Command_Button button, bool enabled) override;
  void set_share_caption(Memo memo, const std::string& caption) override;
  void set_gauge_progress(Memo memo, int progress) override;
  void set_gauge_bar_colour(Memo memo, Rgb colour) override;
  std::string decimal_separator() const override;

 private:
  TMainForm1& form_;
};

class Window_Memos final : public Memo_Window {
 public:
  explicit Window_Memos(TMainForm1& form) : form_(form) {}
  void set_enabled(Command_Button button, bool enabled) override;
  bool clipboard_has_text() const override;
  void clear_input() override;
  void clear_output() override;
  void paste_clipboard_into_input() override;
  void place_input_caret(int pos) override;
  void select_all_of_output() override;
  void copy_output_selection() override;
  void show_information(const std::string& text) override;

 private:
  TMainForm1& form_;
};

class Window_Report final : public Report_Window {
 public:
  Window_Report(TMainForm1& form, TResults_Form& dialog);
  void clear_report() override;
  void append_report_line(std::string_view line) override;
  void set_report_caption(const std::string& caption) override;
  void show_report() override;

 private:
  TResults_Form& dialog_;
  Text_Area memo_;
};

class Window_Layout final : public Scalable_Window {
 public:
  explicit Window_Layout(TMainForm1& form) : form_(form) {}
  int client_width() const override;
  int client_height() const override;
  int component_count() const override;
  bool is_control(int k) const override;
  Control_Layout layout_of(int k) const override;
  std::string name_of(int k) const override;
  void apply_layout(int k, const Control_Layout& layout) override;
  int baseline_count() const override;
  void add_baseline_line(const std::string& line) override;
  std::string baseline_line(int n) const override;

 private:
  TMainForm1& form_;
};
