#pragma once
// The main window as the auto-run routines see it.

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
