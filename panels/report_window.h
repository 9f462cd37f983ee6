#pragma once
// What a report needs of the dialog that shows it.

#include <string>
#include <string_view>

class Report_Window {
 public:
  virtual ~Report_Window() = default;
  virtual void clear_report() = 0;
  // One line of 8-bit text in the code page of the selected alphabet; it stays
  // one line whatever bytes it holds.
  virtual void append_report_line(std::string_view line) = 0;
  virtual void set_report_caption(const std::string& caption) = 0;
  // Shows the dialog without blocking the caller's window; an open dialog
  // comes to the front with its present content.
  virtual void show_report() = 0;
};
