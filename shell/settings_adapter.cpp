#include "shell/settings_adapter.h"

#include "shell/main_form.h"

Window_Settings::Window_Settings(TMainForm1& form) : form_(form), outer_(form) {}

// The stored bounds are the outer ones, frame and menu bar included.
QRect Window_Settings::bounds() const { return restored_ ? *restored_ : outer_.normal(); }

int Window_Settings::top() { return bounds().top(); }

int Window_Settings::left() { return bounds().left(); }

int Window_Settings::width() { return bounds().width(); }

int Window_Settings::height() { return bounds().height(); }

void Window_Settings::set_top(int top) {
  QRect wanted = outer_.wanted();
  wanted.moveTop(top);
  outer_.set_wanted(wanted);
}

void Window_Settings::set_left(int left) {
  QRect wanted = outer_.wanted();
  wanted.moveLeft(left);
  outer_.set_wanted(wanted);
}

void Window_Settings::set_width(int width) {
  QRect wanted = outer_.wanted();
  wanted.setWidth(width);
  outer_.set_wanted(wanted);
}

void Window_Settings::set_height(int height) {
  QRect wanted = outer_.wanted();
  wanted.setHeight(height);
  outer_.set_wanted(wanted);
}

void Window_Settings::place_window() { outer_.place(); }

void Window_Settings::maximise_window() { outer_.maximise(); }

bool Window_Settings::is_maximised() {
  restored_.reset();  // a save starts here
  return form_.isMaximized();
}

void Window_Settings::restore_from_maximised() {
  restored_ = outer_.normal();
  form_.showNormal();
}

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
