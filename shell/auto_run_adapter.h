#pragma once
// The main window as the auto-run routines and the shortcut commands see it.

#include "shell/auto_run.h"

class TMainForm1;

class Window_Auto_Run final : public Auto_Run_Window {
 public:
  explicit Window_Auto_Run(TMainForm1& form) : form_(form) {}
  Registry& registry() override;
  Messages& messages() override;
  std::string executable_path() const override;
  std::string executable_file_name() const override;
  bool auto_run_checked() const override;
  void set_auto_run_checked(bool checked) override;

 private:
  TMainForm1& form_;
};

#include "platform/shell_link.h"
#include "shell/shortcuts.h"

// The main window as the shortcut commands see it.
class Window_Shortcuts final : public Shortcut_Window {
 public:
  explicit Window_Shortcuts(TMainForm1& form) : form_(form) {}
  Registry& registry() override;
  Messages& messages() override;
  Shell_Links& shell_links() override { return *links_; }
  Files& files() override;
  std::string executable_path() const override;

 private:
  TMainForm1& form_;
  std::unique_ptr<Shell_Links> links_ = make_system_shell_links();
};
