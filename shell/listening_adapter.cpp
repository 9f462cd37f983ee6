#include "shell/listening_adapter.h"

#include <QDir>
#include <QFileInfo>

#include "cli/listen_command.h"
#include "shell/main_form.h"

namespace {

void set_apart(Text_Area& area) {
  if (area.count() == 0) return;
  const std::string last = area.line(area.count() - 1);
  if (!last.empty() && last.back() != ' ') area.append_to_last_line(" ");
}

}  // namespace

void Window_Listening::append_to_input_last_line(const std::string& text) {
  form_.input_area().append_to_last_line(text);
}

void Window_Listening::set_input_apart() { set_apart(form_.input_area()); }

void Window_Listening::set_letter_indicator(bool on) {
  form_.End_Of_Letter_RadioButton->setChecked(on);
}

void Window_Listening::set_keying_caption(const std::string& caption) {
  form_.GroupBox1->setTitle(caption.empty() ? QStringLiteral(" Morse Sound Recording ")
                                            : " " + QString::fromStdString(caption) + " ");
}

void Window_Listening::set_listening_checked(bool on) {
  form_.Listen_To_Microphone_Option->setChecked(on);
}

void Window_Listening::set_listening_timer_running(bool running) {
  if (running) {
    form_.Listening_Timer->start();
  } else {
    form_.Listening_Timer->stop();
  }
}

void Window_Listening::show_error(const std::string& text) {
  form_.messages().show(text, Message_Icon::Error, Message_Buttons::Ok);
}

namespace {

// The decoded Morse code into the input area; the line end that closes the
// command line's output is no part of it.
// Once another source has taken the input area over (`taken_over`), what
// the recording still decides is dropped rather than mixed into its output.
class Input_Area_Sink final : public Byte_Sink {
 public:
  Input_Area_Sink(Text_Area& area, const bool& taken_over) : area_(area), taken_over_(taken_over) {}
  bool write(std::string_view bytes) override {
    if (taken_over_) return true;
    std::string morse(bytes);
    std::erase(morse, '\n');
    if (morse.empty()) return true;
    if (!appended_) set_apart(area_);
    appended_ = true;
    area_.append_to_last_line(morse);
    return true;
  }

 private:
  Text_Area& area_;
  const bool& taken_over_;
  bool appended_ = false;
};

}  // namespace

void listen_to_recording(TMainForm1& form, std::string& folder, const bool& halted) {
  if (folder.empty()) folder = QDir::toNativeSeparators(QDir::homePath() + "/").toStdString();
  const std::optional<std::string> path = form.sound_selection.choose_file(
      {"Open Recording", "WAVE Files (*.wav)|*.wav|All Files (*.*)|*.*", folder, {}});
  if (!path) return;
  folder = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(*path)).absolutePath() + "/")
               .toStdString();

  Input_Area_Sink sink(form.input_area(), halted);
  Listen_Request request{*path, true, form.Alphabet_RadioGroup->itemIndex(), {}};
  form.Halt_Play_Back_Of_Sounds_CheckBox->setChecked(false);
  form.Halt_Playing_Sound_BitBtn->setEnabled(true);
  request.keep_going = [&] {
    form.sound_message_loop().run_pending();
    return !halted && !form.Halt_Play_Back_Of_Sounds_CheckBox->isChecked();
  };
  Fd_Source no_input(-1);
  std::string error, notice;
  const bool read = listen_to_wav(request, no_input, sink, error, notice);
  form.Halt_Playing_Sound_BitBtn->setEnabled(false);
  if (!read) {
    form.messages().show(error, Message_Icon::Error, Message_Buttons::Ok);
  } else if (!notice.empty()) {
    notice[0] = char(std::toupper(static_cast<unsigned char>(notice[0])));
    form.messages().show(notice + " in the recording.", Message_Icon::Information,
                         Message_Buttons::Ok);
  }
}
