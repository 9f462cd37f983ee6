#include "shell/sound_adapter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>

#include "shell/main_form.h"

Audio_Player& Window_Sounds::player() { return form_.audio_player(); }

Sound_Image Window_Sounds::sound(Element element) const {
  return element == Element::Dot ? form_.Dot_Sound_Stream : form_.Dash_Sound_Stream;
}

std::string Window_Sounds::sound_file_name(Element element) const {
  const QLineEdit* edit =
      element == Element::Dot ? form_.Dot_Sound_File_Name_Edit : form_.Dash_Sound_File_Name_Edit;
  return edit->text().toStdString();
}

bool Window_Sounds::file_exists(const std::string& path) const {
  return QFileInfo(QString::fromStdString(path)).isFile();
}

void Window_Sounds::show_error(const std::string& text) {
  form_.messages().show(text, Message_Icon::Error, Message_Buttons::Ok);
}

Clock& Window_Sounds::clock() { return form_.clock(); }

Message_Loop& Window_Sounds::message_loop() { return form_.sound_message_loop(); }

bool Window_Sounds::halt_flag() const {
  return form_.Halt_Play_Back_Of_Sounds_CheckBox->isChecked();
}

void Window_Sounds::set_halt_flag(bool on) {
  form_.Halt_Play_Back_Of_Sounds_CheckBox->setChecked(on);
}

void Window_Sounds::set_play_buttons_enabled(bool enabled) {
  form_.Play_Back_Input_Memo_BitBtn->setEnabled(enabled);
  form_.Play_Back_Output_Memo_BitBtn->setEnabled(enabled);
}

void Window_Sounds::set_halt_button_enabled(bool enabled) {
  form_.Halt_Playing_Sound_BitBtn->setEnabled(enabled);
}

void Window_Sounds::set_letter_timer_running(bool running) {
  if (running) {
    form_.End_Of_Letter_Timer->start();
  } else {
    form_.End_Of_Letter_Timer->stop();
  }
}

void Window_Sounds::set_letter_indicator(bool on) {
  form_.End_Of_Letter_RadioButton->setChecked(on);
}

int Window_Sounds::letter_playback_delay() const {
  return form_.Letter_Playback_Delay_Millisec_SpinEdit->text_value();
}

int Window_Sounds::dot_dash_playback_delay() const {
  return form_.Dot_Dash_Playback_Delay_Millisec_SpinEdit->text_value();
}

int Window_Sounds::letter_input_delay() const {
  return form_.Letter_Input_Delay_Millisec_SpinEdit->text_value();
}

void Window_Sounds::append_to_input_last_line(char c) {
  form_.input_area().append_to_last_line(std::string_view(&c, 1));
}

// Sound selection.

QLineEdit* Window_Sound_Selection::name_edit(int selector) const {
  return selector == 1 ? form_.Dot_Sound_File_Name_Edit : form_.Dash_Sound_File_Name_Edit;
}

std::string Window_Sound_Selection::sound_file_name(int selector) const {
  return name_edit(selector)->text().toStdString();
}

void Window_Sound_Selection::set_sound_file_name(int selector, const std::string& name) {
  name_edit(selector)->setText(QString::fromStdString(name));
}

void Window_Sound_Selection::set_sound_image(int selector, Sound_Image image) {
  (selector == 1 ? form_.Dot_Sound_Stream : form_.Dash_Sound_Stream) = std::move(image);
}

Sound_Image Window_Sound_Selection::dot_sound() const { return form_.Dot_Sound_Stream; }

std::string Window_Sound_Selection::last_directory() const {
  return form_.Last_Directory_Edit->text().toStdString();
}

void Window_Sound_Selection::set_last_directory(const std::string& folder) {
  form_.Last_Directory_Edit->setText(QString::fromStdString(folder));
}

std::string Window_Sound_Selection::data_folder() const { return form_.folders().data; }

bool Window_Sound_Selection::folder_exists(const std::string& path) const {
  return QFileInfo(QString::fromStdString(path)).isDir();
}

bool Window_Sound_Selection::file_exists(const std::string& path) const {
  return QFileInfo(QString::fromStdString(path)).isFile();
}

std::optional<std::string> Window_Sound_Selection::choose_file(const Open_Dialog_Request& request) {
  QFileDialog& dialog = form_.OpenDialog1->dialog();
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const std::string& f : dialog_name_filters(request.filter)) {
    QString filter = QString::fromStdString(f);
#ifndef _WIN32
    // "*.*" means every file only on Windows; elsewhere it hides names without a dot.
    filter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
#endif
    filters << filter;
  }
  dialog.setNameFilters(filters);
  // The dialog opens in the initial folder. A preset file from elsewhere goes
  // into the name box with its full path, so that "Open" takes it: selecting
  // it would move the dialog to that file's folder, and its bare name would
  // name nothing here.
  const QString folder = QString::fromStdString(request.initial_folder);
  const QFileInfo initial(QString::fromStdString(request.initial_file));
  dialog.setDirectory(folder);
  if (request.initial_file.empty()) {
    dialog.selectFile(QString());
  } else if (initial.absoluteDir() == QDir(folder)) {
    dialog.selectFile(initial.absoluteFilePath());
  } else if (QLineEdit* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->setText(QDir::toNativeSeparators(initial.absoluteFilePath()));
  } else {
    dialog.selectFile(QString());
  }
  dialog_file_name_ = request.initial_file;
  const std::optional<QString> chosen = run_dialog(dialog);
  // The dialog is hidden, not destroyed: a completion list it had open would
  // stay on the screen over the main window.
  for (QCompleter* completer : dialog.findChildren<QCompleter*>()) {
    if (QAbstractItemView* list = completer->popup()) list->hide();
  }
  if (!chosen) return std::nullopt;
  dialog_file_name_ = QDir::toNativeSeparators(*chosen).toStdString();
  return dialog_file_name_;
}

void Window_Sound_Selection::show_error(const std::string& text) {
  form_.messages().show(text, Message_Icon::Error, Message_Buttons::Ok);
}

Audio_Player& Window_Sound_Selection::player() { return form_.audio_player(); }
