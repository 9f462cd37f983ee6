#include "shell/settings_adapter.h"

#include "shell/main_form.h"

// The stored bounds are the outer ones, frame and menu bar included.

QSize Window_Settings::frame_extra() const {
  return form_.frameGeometry().size() - form_.geometry().size();
}

int Window_Settings::top() { return form_.frameGeometry().top(); }

int Window_Settings::left() { return form_.frameGeometry().left(); }

int Window_Settings::width() { return form_.frameGeometry().width(); }

int Window_Settings::height() { return form_.frameGeometry().height(); }

void Window_Settings::set_top(int top) { form_.move(form_.frameGeometry().left(), top); }

void Window_Settings::set_left(int left) { form_.move(left, form_.frameGeometry().top()); }

void Window_Settings::set_width(int width) {
  form_.resize(std::max(width - frame_extra().width(), 1), form_.height());
}

void Window_Settings::set_height(int height) {
  form_.resize(form_.width(), std::max(height - frame_extra().height(), 1));
}

bool Window_Settings::is_maximised() { return form_.isMaximized(); }

void Window_Settings::restore_from_maximised() { form_.showNormal(); }

bool Window_Settings::always_on_top() { return form_.Always_On_Top_Option->isChecked(); }

bool Window_Settings::auto_run() { return form_.Auto_Run_at_Windows_Startup_Option->isChecked(); }

void Window_Settings::set_always_on_top(bool checked) {
  form_.Always_On_Top_Option->setChecked(checked);
}

void Window_Settings::set_auto_run(bool checked) {
  form_.Auto_Run_at_Windows_Startup_Option->setChecked(checked);
}

int Window_Settings::alphabet() { return form_.Alphabet_RadioGroup->itemIndex(); }

int Window_Settings::mouse_option() { return form_.Mouse_LMB_RMB_Option_RadioGroup->itemIndex(); }

// Silent: the code table is built once, later in the start-up.
void Window_Settings::set_alphabet(int index) { form_.Alphabet_RadioGroup->setItemIndex(index); }

void Window_Settings::set_mouse_option(int index) {
  form_.Mouse_LMB_RMB_Option_RadioGroup->setItemIndex(index);
}

int Window_Settings::letter_input_delay() {
  return form_.Letter_Input_Delay_Millisec_SpinEdit->text_value();
}

int Window_Settings::letter_playback_delay() {
  return form_.Letter_Playback_Delay_Millisec_SpinEdit->text_value();
}

int Window_Settings::dot_dash_playback_delay() {
  return form_.Dot_Dash_Playback_Delay_Millisec_SpinEdit->text_value();
}

void Window_Settings::set_letter_input_delay(int ms) {
  form_.Letter_Input_Delay_Millisec_SpinEdit->setValue(ms);
}

void Window_Settings::set_letter_playback_delay(int ms) {
  form_.Letter_Playback_Delay_Millisec_SpinEdit->setValue(ms);
}

void Window_Settings::set_dot_dash_playback_delay(int ms) {
  form_.Dot_Dash_Playback_Delay_Millisec_SpinEdit->setValue(ms);
}

std::string Window_Settings::dot_sound_file() {
  return form_.Dot_Sound_File_Name_Edit->text().toStdString();
}

std::string Window_Settings::dash_sound_file() {
  return form_.Dash_Sound_File_Name_Edit->text().toStdString();
}

void Window_Settings::set_dot_sound_file(const std::string& path) {
  form_.Dot_Sound_File_Name_Edit->setText(QString::fromStdString(path));
}

void Window_Settings::set_dash_sound_file(const std::string& path) {
  form_.Dash_Sound_File_Name_Edit->setText(QString::fromStdString(path));
}
