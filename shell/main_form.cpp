#include "shell/main_form.h"

#include <QApplication>
#include <QShowEvent>

#include "shell/area_conversion.h"
#include "widgets/design_font.h"
#include "shell/paced_message_loop.h"

namespace {

constexpr int kRussianAlphabet = 3;

}  // namespace

TMainForm1::TMainForm1(Messages& messages, QWidget* parent)
    : QMainWindow(parent), messages_(messages) {
  setObjectName(QStringLiteral("MainForm1"));
  setWindowTitle(QStringLiteral("??"));
  setFont(design_font(QStringLiteral("Times New Roman"), 15));
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("MainForm1_Client"));
  setCentralWidget(client_);

  create_morse_code_page();
  create_settings_page();
  create_command_row();
  create_hidden_controls();
  create_menu();
  create_non_visual_components();
  PageControl1->setCurrentIndex(0);

  input_area_ = std::make_unique<Text_Area>(
      Input_Memo, [this] { return code_page(); }, false);
  output_area_ = std::make_unique<Text_Area>(
      Output_Memo, [this] { return code_page(); }, true);
  message_loop_ = std::make_unique<Paced_Message_Loop>(this);

  move(264, 131);
  const QSize client = client_size_for_controls();
  resize(client.width(), client.height() + MainMenu1->sizeHint().height());
  bind_events();
}

TMainForm1::~TMainForm1() = default;

QSize TMainForm1::client_size_for_controls() const {
  return {PageControl1->width() + 2 * PageControl1->x(),
          Exit_BitBtn->y() + Exit_BitBtn->height() + PageControl1->y()};
}

Code_Page TMainForm1::code_page() const {
  return Alphabet_RadioGroup->itemIndex() == kRussianAlphabet ? Code_Page::Windows_1251
                                                              : Code_Page::Windows_1252;
}

void TMainForm1::bind_events() {
  connect(Alphabet_RadioGroup, &TRadioGroup::clicked, this, &TMainForm1::Alphabet_RadioGroupClick);
  connect(Convert_Text_to_Morse_Button, &QPushButton::clicked, this,
          &TMainForm1::Convert_Text_to_Morse_ButtonClick);
  connect(Convert_Morse_to_Text_Button, &QPushButton::clicked, this,
          &TMainForm1::Convert_Morse_to_Text_ButtonClick);
}

void TMainForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm1::FormShow() { Build_Morse_Code_Table(); }

void TMainForm1::Build_Morse_Code_Table() {
  ::Build_Morse_Code_Table(Morse_Code_Table, Alphabet_RadioGroup->itemIndex(), [this] {
    messages_.show("N.B. The Russian Morse Codes have not been double checked yet.",
                   Message_Icon::Information, Message_Buttons::Ok);
  });
}

void TMainForm1::let_message_loop_run() { message_loop_->run_once(); }

void TMainForm1::Convert_Input_Text_To_Morse() {
  convert_text_area_to_morse(*input_area_, *output_area_, Morse_Code_Table,
                             [this] { let_message_loop_run(); });
  message_loop_->release();
}

void TMainForm1::Convert_Input_Morse_To_Text() {
  convert_morse_area_to_text(*input_area_, *output_area_, Morse_Code_Table,
                             [this] { let_message_loop_run(); });
  message_loop_->release();
}

void TMainForm1::Alphabet_RadioGroupClick() { Build_Morse_Code_Table(); }

void TMainForm1::Convert_Text_to_Morse_ButtonClick() { Convert_Input_Text_To_Morse(); }

void TMainForm1::Convert_Morse_to_Text_ButtonClick() { Convert_Input_Morse_To_Text(); }
