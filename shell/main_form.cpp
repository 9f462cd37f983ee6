#include "shell/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QShowEvent>
#include <QWindow>
#include <filesystem>

#include "panels/morse_chart.h"
#include "panels/unscramble_text.h"
#include "shell/appending_view.h"
#include "shell/area_conversion.h"
#include "shell/file_status.h"
#include "shell/paced_message_loop.h"
#include "shell/text_viewers.h"
#include "sound/delay.h"
#include "sound/morse_sounds.h"
#include "sound/playback.h"
#include "sound/sound_file.h"
#include "widgets/design_font.h"

namespace {

constexpr int kRussianAlphabet = 3;

Sound_Image empty_sound() { return std::make_shared<const std::vector<unsigned char>>(); }

std::optional<Key_Button> key_button(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return Key_Button::Left;
    case Qt::RightButton:
      return Key_Button::Right;
    case Qt::MiddleButton:
      return Key_Button::Middle;
    default:
      return std::nullopt;
  }
}

}  // namespace

TMainForm1::TMainForm1(Messages& messages, Window_Services services, QWidget* parent)
    : QMainWindow(parent),
      messages_(messages),
      own_player_(services.player ? nullptr : make_system_audio_player()),
      own_clock_(services.clock ? nullptr : make_system_clock()),
      own_registry_(services.registry ? nullptr : make_system_registry()),
      own_memory_meter_(services.memory_meter ? nullptr : make_system_memory_meter()),
      own_processes_(services.processes ? nullptr : make_system_processes()),
      own_files_(services.files ? nullptr : make_system_files()),
      own_startup_info_(services.startup_info ? nullptr : make_system_startup_info()),
      player_(services.player ? services.player : own_player_.get()),
      clock_(services.clock ? services.clock : own_clock_.get()),
      waits_(services.waits ? services.waits : &own_waits_),
      registry_(services.registry ? services.registry : own_registry_.get()),
      memory_meter_(services.memory_meter ? services.memory_meter : own_memory_meter_.get()),
      processes_(services.processes ? services.processes : own_processes_.get()),
      files_(services.files ? services.files : own_files_.get()),
      startup_info_(services.startup_info ? services.startup_info : own_startup_info_.get()),
      folders_(system_app_folders(QCoreApplication::applicationFilePath().toStdString(),
                                  services.portable_folder)),
      listening_(
          listening_window_,
          services.open_capture ? services.open_capture : [] { return open_audio_capture({}); }) {
  // The two sound buffers exist, empty, from the window's creation on.
  Dot_Sound_Stream = empty_sound();
  Dash_Sound_Stream = empty_sound();
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
  message_loop_ = std::make_unique<Paced_Message_Loop>(this, std::chrono::steady_clock::now,
                                                       std::chrono::milliseconds(16),
                                                       services.conversion_turns);
  input_share_ = std::make_unique<Memo_Share>(Input_Memo, *input_area_, this);
  output_share_ = std::make_unique<Memo_Share>(Output_Memo, *output_area_, this);

  move(264, 131);
  const QSize client = client_size_for_controls();
  resize(client.width(), client.height() + MainMenu1->sizeHint().height());
  bind_events();
  after_first_frame_ = new After_First_Frame(client_);
  // The dialogs come after the window, once its first frame is on the
  // screen: nothing of them shows before. One wanted earlier is made then.
  after_first_frame([this] {
    about_box();
    results_form();
  });
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

std::string TMainForm1::alphabet_name() const {
  const int selected = std::max(Alphabet_RadioGroup->itemIndex(), 0);
  return Alphabet_RadioGroup->button(selected)->text().toStdString();
}

void TMainForm1::bind_events() {
  connect(Alphabet_RadioGroup, &TRadioGroup::clicked, this, &TMainForm1::Alphabet_RadioGroupClick);
  connect(Convert_Text_to_Morse_Button, &QPushButton::clicked, this,
          &TMainForm1::Convert_Text_to_Morse_ButtonClick);
  connect(Convert_Morse_to_Text_Button, &QPushButton::clicked, this,
          &TMainForm1::Convert_Morse_to_Text_ButtonClick);
  connect(Input_Memo, &QPlainTextEdit::textChanged, this, &TMainForm1::Input_MemoChange);
  connect(Output_Memo, &QPlainTextEdit::textChanged, this, &TMainForm1::Output_MemoChange);
  connect(Paste_From_Clipboard_To_Input_Memo_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Paste_From_Clipboard_To_Input_Memo_BitBtnClick);
  connect(Copy_Output_Memo_To_Clipboard_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Copy_Output_Memo_To_Clipboard_BitBtnClick);
  connect(Reset_Input_Memo_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Reset_Input_Memo_BitBtnClick);
  connect(Show_Codes_Option, &QAction::triggered, this, &TMainForm1::Show_Codes_OptionClick);
  connect(Morse_Code_Chart_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Morse_Code_Chart_BitBtnClick);
  client_->installEventFilter(this);
  connect(Dot_Test_BitBtn, &QPushButton::clicked, this, &TMainForm1::Dot_Test_BitBtnClick);
  connect(Dash_Test_BitBtn, &QPushButton::clicked, this, &TMainForm1::Dash_Test_BitBtnClick);
  connect(Play_Back_Input_Memo_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Play_Back_Input_Memo_BitBtnClick);
  connect(Play_Back_Output_Memo_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Play_Back_Output_Memo_BitBtnClick);
  connect(Halt_Playing_Sound_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Halt_Playing_Sound_BitBtnClick);
  connect(End_Of_Letter_Timer, &QTimer::timeout, this, &TMainForm1::End_Of_Letter_TimerTimer);
  connect(Dot_Sound_Select_SpeedButton, &QToolButton::clicked, this,
          &TMainForm1::Dot_Sound_Select_SpeedButtonClick);
  connect(Dash_Sound_Select_SpeedButton, &QToolButton::clicked, this,
          &TMainForm1::Dash_Sound_Select_SpeedButtonClick);
  connect(Button1, &QPushButton::clicked, this, &TMainForm1::Button1Click);
  connect(Listen_To_Microphone_Option, &QAction::triggered, this,
          &TMainForm1::Listen_To_Microphone_OptionClick);
  connect(Open_Recording_Option, &QAction::triggered, this,
          &TMainForm1::Open_Recording_OptionClick);
  connect(Listening_Timer, &QTimer::timeout, this, &TMainForm1::Listening_TimerTimer);
  connect(Button2, &QPushButton::clicked, this, &TMainForm1::Button2Click);
  connect(Auto_Run_at_Windows_Startup_Option, &QAction::triggered, this,
          &TMainForm1::Auto_Run_at_Windows_Startup_OptionClick);
  connect(AboutOption, &QAction::triggered, this, &TMainForm1::AboutOptionClick);
  connect(ExitOption, &QAction::triggered, this, &TMainForm1::ExitOptionClick);
  connect(Exit_BitBtn, &QPushButton::clicked, this, &TMainForm1::Exit_BitBtnClick);
  connect(Always_On_Top_Option, &QAction::triggered, this, &TMainForm1::Always_On_Top_OptionClick);
  connect(Restore_Factory_Defaults_Option, &QAction::triggered, this,
          &TMainForm1::Restore_Factory_Defaults_OptionClick);
  connect(Create_Shortcut_on_Desktop_Option, &QAction::triggered, this,
          &TMainForm1::Create_Shortcut_on_Desktop_OptionClick);
  connect(Create_Shortcut_on_Start_Menu_Option, &QAction::triggered, this,
          &TMainForm1::Create_Shortcut_on_Start_Menu_OptionClick);
  connect(Create_Shortcut_on_Start_Programs_Menu_Option, &QAction::triggered, this,
          &TMainForm1::Create_Shortcut_on_Start_Programs_Menu_OptionClick);
  connect(Create_Shortcut_on_SendTo_Menu_Option, &QAction::triggered, this,
          &TMainForm1::Create_Shortcut_on_SendTo_Menu_OptionClick);
  connect(Delete_All_Shortcuts_Option, &QAction::triggered, this,
          &TMainForm1::Delete_All_Shortcuts_OptionClick);
  connect(View_Readme_file_Option, &QAction::triggered, this,
          &TMainForm1::View_Readme_file_OptionClick);
  connect(View_Shareware_Catalog_Option, &QAction::triggered, this,
          &TMainForm1::View_Shareware_Catalog_OptionClick);
  // The application turns active just before the window that takes the focus
  // is activated; any window of ours taking it ends that return.
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) {
            returning_from_outside_ = state == Qt::ApplicationActive && activated_before_;
          });
  connect(qApp, &QGuiApplication::focusWindowChanged, this,
          [this] { returning_from_outside_ = false; });
  // Logging off or shutting down asks the window to close like the close box.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { FormCloseQuery(); });
  for (QWidget* keying : std::initializer_list<QWidget*>{GroupBox1, Label17, Label1}) {
    keying->installEventFilter(this);
  }
}

void TMainForm1::after_first_frame(std::function<void()> job) {
  after_first_frame_->add(std::move(job));
}

void TMainForm1::set_about_box(TAboutBox* box) {
  about_box_ = box;
  if (about_texts_) give_about_box_its_texts();
}

void TMainForm1::give_about_box_its_texts() {
  about_box_->set_texts(*about_texts_);
  about_box_->setToolTip(QString());
}

// The guard is made here, on the window's thread; the poster it goes with
// may be called from any thread.
std::function<void(std::function<void()>)> TMainForm1::window_thread_poster() {
  return [window = QPointer<TMainForm1>(this)](std::function<void()> job) {
    QMetaObject::invokeMethod(
        qApp,
        [window, job = std::move(job)] {
          if (window) job();
        },
        Qt::QueuedConnection);
  };
}

void TMainForm1::set_results_form(TResults_Form* form) {
  results_form_ = form;
  report_.reset();
}

TAboutBox& TMainForm1::about_box() {
  if (!about_box_) {
    auto* box = new TAboutBox(*memory_meter_, *processes_, {}, this);
    box->set_link_failure_report([post = window_thread_poster(),
                                  &messages = messages_](const std::string& text) {
      post([&messages, text] { messages.show(text, Message_Icon::Error, Message_Buttons::Ok); });
    });
    set_about_box(box);
  }
  return *about_box_;
}

TResults_Form& TMainForm1::results_form() {
  if (!results_form_) results_form_ = new TResults_Form(this);
  return *results_form_;
}

void TMainForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    if (!returning_from_outside_) FormActivate();
    returning_from_outside_ = false;
    activated_before_ = true;
  }
}

bool TMainForm1::eventFilter(QObject* watched, QEvent* event) {
  // The client area is what scaling measures, so its own resize drives it.
  if (watched == client_ && event->type() == QEvent::Resize) FormResize();
  // Every press in the keying box keys; widgets get the second press of a
  // quick pair as a double click instead.
  const bool keying_box = watched == GroupBox1 || watched == Label17 || watched == Label1;
  // The pointer in the window, maybe on its way to a key: the sound device
  // opens now, in the background, so that the first press sounds as soon as
  // any later one. (The sound library and the thirty libraries it brings are
  // not loaded before anything needs them.)
  if ((keying_box || watched == client_) && event->type() == QEvent::Enter) player_->get_ready();
  if (keying_box &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == GroupBox1) {
      GroupBox1MouseDown(button);
    } else {
      Label17MouseDown(button);
    }
    return true;  // handled here, not again by the box beneath a label
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm1::FormShow() {
  size_client_area();
  Record_Initial_Control_Layout();
  const bool maximised = read_settings(settings_, folders_);
  settings_.place_window();
  Load_Sound_Streams();
  Set_Program_Captions();
  Show_Window_As_Started();
  if (maximised) settings_.maximise_window();
  // Flipped here and back by the toggle, which applies the saved state.
  Always_On_Top_Option->setChecked(!Always_On_Top_Option->isChecked());
  Toggle_Always_On_Top();
  // The registry, not the settings, decides the check mark.
  Auto_Run_at_Windows_Startup_Option->setChecked(Check_Auto_Run_Path(auto_run_));
  Reset_Memos();
  Convert_Text_to_Morse_Button->setEnabled(false);
  Convert_Morse_to_Text_Button->setEnabled(false);
  Build_Morse_Code_Table();
}

// The client area takes the pages and the command row below them.
void TMainForm1::size_client_area() {
  const QSize wanted = client_size_for_controls();
  layout()->activate();
  if (client_->size() != wanted) {
    resize(size() + wanted - client_->size());
    layout()->activate();
  }
}

void TMainForm1::Build_Morse_Code_Table() {
  ::Build_Morse_Code_Table(Morse_Code_Table, Alphabet_RadioGroup->itemIndex(), [this] {
    messages_.show("N.B. The Russian Morse Codes have not been double checked yet.",
                   Message_Icon::Information, Message_Buttons::Ok);
  });
  // The shares count the areas' bytes in the alphabet's code page. A share the
  // new page changes is shown at once; one it leaves alone stays as it is
  // shown, so the reset state of the buttons survives a change of alphabet.
  const double input_before = input_share_->share();
  const double output_before = output_share_->share();
  input_share_->recount();
  output_share_->recount();
  if (input_share_->share() != input_before) Input_MemoChange();
  if (output_share_->share() != output_before) Output_MemoChange();
}

void TMainForm1::Convert_Input_Text_To_Morse() {
  const Appending_View appending(Output_Memo);
  convert_text_area_to_morse(*input_area_, *output_area_, Morse_Code_Table, *message_loop_);
  message_loop_->release();
}

void TMainForm1::Convert_Input_Morse_To_Text() {
  const Appending_View appending(Output_Memo);
  convert_morse_area_to_text(*input_area_, *output_area_, Morse_Code_Table, *message_loop_);
  message_loop_->release();
}

void TMainForm1::Alphabet_RadioGroupClick() { Build_Morse_Code_Table(); }

void TMainForm1::Convert_Text_to_Morse_ButtonClick() {
  Stop_Listening();
  Convert_Input_Text_To_Morse();
}

void TMainForm1::Convert_Morse_to_Text_ButtonClick() {
  Stop_Listening();
  Convert_Input_Morse_To_Text();
}

void TMainForm1::Input_MemoChange() { show_input_share(input_share_->share(), gauges_); }

void TMainForm1::Output_MemoChange() { show_output_share(output_share_->share(), gauges_); }

void TMainForm1::Reset_Memos() { ::Reset_Memos(memos_); }

void TMainForm1::Reset_Input_Memo_BitBtnClick() { Reset_Memos(); }

void TMainForm1::Paste_From_Clipboard_To_Input_Memo_BitBtnClick() {
  paste_clipboard_into_input(memos_);
}

void TMainForm1::Copy_Output_Memo_To_Clipboard_BitBtnClick() { copy_output_to_clipboard(memos_); }

void TMainForm1::Show_Codes_OptionClick() {
  if (!report_) report_ = std::make_unique<Window_Report>(*this, results_form());
  Show_Codes(std::as_const(Morse_Code_Table), alphabet_name(), *report_);
}

void TMainForm1::Morse_Code_Chart_BitBtnClick() { Show_Codes_OptionClick(); }

void TMainForm1::Record_Initial_Control_Layout() { ::Record_Initial_Control_Layout(layout_); }

void TMainForm1::Scale_Controls_To_Window_Size() { ::Scale_Controls_To_Window_Size(layout_); }

void TMainForm1::FormResize() { Scale_Controls_To_Window_Size(); }

// A file that cannot be read is reported and its stream keeps what it held;
// the start goes on, and playing that sound then shows its own error.
void TMainForm1::Load_Sound_Streams() {
  for (auto [edit, stream] : {std::pair{Dot_Sound_File_Name_Edit, &Dot_Sound_Stream},
                              std::pair{Dash_Sound_File_Name_Edit, &Dash_Sound_Stream}}) {
    Sound_File file = read_sound_file(edit->text().toStdString());
    if (file.image) {
      *stream = std::move(file.image);
    } else {
      messages_.show(file.error, Message_Icon::Error, Message_Buttons::Ok);
    }
  }
}

void TMainForm1::Play_Dot_Sound() { Play_Element_Sound(Element::Dot, sounds_); }

void TMainForm1::Play_Dash_Sound() { Play_Element_Sound(Element::Dash, sounds_); }

void TMainForm1::Delay_Millisec(int ms) { ::Delay_Millisec(ms, *clock_, *waits_); }

void TMainForm1::Play_Back_Memo_Morse_Code(Text_Lines& area) {
  ::Play_Back_Memo_Morse_Code(area, sounds_);
}

void TMainForm1::Dot_Test_BitBtnClick() {
  Stop_Listening();
  Play_Dot_Sound();
}

void TMainForm1::Dash_Test_BitBtnClick() {
  Stop_Listening();
  Play_Dash_Sound();
}

void TMainForm1::Play_Back_Input_Memo_BitBtnClick() {
  Stop_Listening();
  Play_Back_Memo_Morse_Code(*input_area_);
}

void TMainForm1::Play_Back_Output_Memo_BitBtnClick() {
  Stop_Listening();
  Play_Back_Memo_Morse_Code(*output_area_);
}

void TMainForm1::Halt_Playing_Sound_BitBtnClick() {
  Halt_Play_Back_Of_Sounds_CheckBox->setChecked(true);
}

void TMainForm1::GroupBox1MouseDown(Qt::MouseButton button) {
  const auto key = key_button(button);
  if (!key) return;
  Stop_Listening();
  keyer_.press(*key, sounds_);
}

void TMainForm1::Label17MouseDown(Qt::MouseButton button) { GroupBox1MouseDown(button); }

// While listening, the indicator shows the letters heard, not keyed.
void TMainForm1::End_Of_Letter_TimerTimer() {
  if (!listening()) keyer_.tick(sounds_);
}

void TMainForm1::Listen_To_Microphone_OptionClick() {
  if (!listening()) Stop_Listening();  // a recording being decoded
  listening_.toggle();
}

void TMainForm1::Open_Recording_OptionClick() {
  Stop_Listening();
  recording_halted_ = false;
  listen_to_recording(*this, recordings_folder_, recording_halted_);
}

void TMainForm1::Listening_TimerTimer() { listening_.tick(); }

void TMainForm1::Stop_Listening() {
  listening_.stop();
  recording_halted_ = true;
}

void TMainForm1::FormActivate() { keyer_.forget_last_key(); }

void TMainForm1::Select_Load_Dot_Dash_Sound_Effect(int selector) {
  ::Select_Load_Dot_Dash_Sound_Effect(selector, sound_selection);
}

void TMainForm1::Dot_Sound_Select_SpeedButtonClick() { Select_Load_Dot_Dash_Sound_Effect(1); }

void TMainForm1::Dash_Sound_Select_SpeedButtonClick() { Select_Load_Dot_Dash_Sound_Effect(2); }

void TMainForm1::Button1Click() {
  Stop_Listening();
  start_dot_loop(sound_selection);
}

void TMainForm1::Button2Click() { stop_all_sounds(sound_selection); }

void TMainForm1::Auto_Run_at_Windows_Startup_OptionClick() {
  ::Auto_Run_at_Windows_Startup_OptionClick(auto_run_);
}

void TMainForm1::Set_Program_Captions() {
  const QString version = QStringLiteral("Tapwren v2.0f");
  setWindowTitle(version);
  // The application's title: what task bars show for the program.
  setWindowIconText(version);
  setToolTip(QString());
  const auto plain = [](const char* scrambled) {
    return QString::fromStdString(Unscramble_Text(scrambled, true));
  };
  about_texts_ = About_Texts{QStringLiteral("About ") + version + QStringLiteral(" ..."),
                             version,
                             plain(Scrambled_Developed_Using_Text),
                             plain(Scrambled_Comments_Text),
                             plain(Scrambled_WEB_Page_Text),
                             plain(Scrambled_Email_Address),
                             plain(Scrambled_WEB_Address)};
  // The program makes its About dialog once the window's first frame is out;
  // it takes the texts then.
  if (about_box_) give_about_box_its_texts();
}

void TMainForm1::AboutOptionClick() { about_box().show_modal(); }

void TMainForm1::Show_Window_As_Started() {
  const std::optional<Show_Command> command = startup_info_->show_command();
  if (!command) return;
  switch (*command) {
    case Show_Command::Hide:
      hide();
      break;
    case Show_Command::Minimized:
    case Show_Command::Minimize:
    case Show_Command::Minimized_No_Active:
      setWindowState(windowState() | Qt::WindowMinimized);
      break;
    case Show_Command::Maximized:
      setWindowState(windowState() | Qt::WindowMaximized);
      break;
    default:
      break;  // shown normally anyway
  }
}

// The window keeps its place, size and activation: the flag goes to the
// window system directly, which re-creating the window would not do. A
// Wayland compositor takes no such request: there new flags would only make
// Qt build the window's title bar afresh under a laid-out window.
void TMainForm1::Toggle_Always_On_Top() {
  const bool on = !Always_On_Top_Option->isChecked();
  Always_On_Top_Option->setChecked(on);
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  overrideWindowFlags(flags);
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
  if (QWindow* window = windowHandle()) window->setFlags(flags);
}

void TMainForm1::Always_On_Top_OptionClick() { Toggle_Always_On_Top(); }

void TMainForm1::FormCloseQuery() {
  Stop_Listening();
  Halt_Playing_Sound_BitBtnClick();
  Save_Settings(settings_, messages_, folders_);
  // The sound buffers live on with the window: a close that is called off (a
  // cancelled log-off) must still find them.
}

void TMainForm1::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

void TMainForm1::ExitOptionClick() { close(); }

void TMainForm1::Exit_BitBtnClick() { ExitOptionClick(); }

void TMainForm1::Restore_Factory_Defaults() {
  const std::string question = Unscramble_Text(Scrambled_Factory_Defaults_Question, true);
  if (messages_.show(question, Message_Icon::Warning, Message_Buttons::Yes_No) !=
      Message_Answer::Yes) {
    return;
  }
  Delete_Closed_File(*files_, settings_file_path(folders_));
  setWindowState(windowState() & ~Qt::WindowMaximized);
  FormShow();
}

void TMainForm1::Restore_Factory_Defaults_OptionClick() { Restore_Factory_Defaults(); }

void TMainForm1::Create_Shortcut_on_Desktop_OptionClick() {
  ::Create_Shortcut_on_Desktop_OptionClick(shortcuts_);
}

void TMainForm1::Create_Shortcut_on_Start_Menu_OptionClick() {
  ::Create_Shortcut_on_Start_Menu_OptionClick(shortcuts_);
}

void TMainForm1::Create_Shortcut_on_Start_Programs_Menu_OptionClick() {
  ::Create_Shortcut_on_Start_Programs_Menu_OptionClick(shortcuts_);
}

void TMainForm1::Create_Shortcut_on_SendTo_Menu_OptionClick() {
  ::Create_Shortcut_on_SendTo_Menu_OptionClick(shortcuts_);
}

void TMainForm1::Delete_All_Shortcuts_OptionClick() {
  ::Delete_All_Shortcuts_OptionClick(shortcuts_);
}

Text_Viewer_Services TMainForm1::text_viewers() {
  return {.processes = *processes_,
          .messages = messages_,
          .data_folder = folders_.data,
          .executable_file_name = std::filesystem::path(folders_.executable).filename().string(),
          .on_window_thread = window_thread_poster()};
}

void TMainForm1::View_Readme_file_OptionClick() { View_Readme_File(text_viewers()); }

void TMainForm1::View_Shareware_Catalog_OptionClick() {
  View_Catalog_File(text_viewers(), about_box().Product_Name_Label->text().toStdString());
}
