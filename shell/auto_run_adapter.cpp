#include "shell/auto_run_adapter.h"

#include <QDir>
#include <filesystem>

#include "shell/main_form.h"

Registry& Window_Auto_Run::registry() { return form_.registry(); }

Messages& Window_Auto_Run::messages() { return form_.messages(); }

std::string Window_Auto_Run::executable_path() const {
  return QDir::toNativeSeparators(QString::fromStdString(form_.folders().executable)).toStdString();
}

std::string Window_Auto_Run::executable_file_name() const {
  return std::filesystem::path(form_.folders().executable).filename().string();
}

bool Window_Auto_Run::auto_run_checked() const {
  return form_.Auto_Run_at_Windows_Startup_Option->isChecked();
}

void Window_Auto_Run::set_auto_run_checked(bool checked) {
  form_.Auto_Run_at_Windows_Startup_Option->setChecked(checked);
}

Registry& Window_Shortcuts::registry() { return form_.registry(); }

Messages& Window_Shortcuts::messages() { return form_.messages(); }

Files& Window_Shortcuts::files() { return form_.files(); }

std::string Window_Shortcuts::executable_path() const {
  return QDir::toNativeSeparators(QString::fromStdString(form_.folders().executable)).toStdString();
}
