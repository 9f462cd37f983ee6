#pragma once
// The program's main window. Controls are public members named as the rest of
// the program knows them; each one's objectName is its member name. Controls
// sit at fixed design coordinates (no layouts), because window scaling works
// from those numbers.

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/morse_table.h"
#include "panels/about_box.h"
#include "panels/results_form.h"
#include "platform/audio_capture.h"
#include "platform/audio_player.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/memory_status.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/startup_info.h"
#include "shell/after_first_frame.h"
#include "shell/app_folders.h"
#include "shell/auto_run_adapter.h"
#include "shell/code_page.h"
#include "shell/listening_adapter.h"
#include "shell/memo_share.h"
#include "shell/messages.h"
#include "shell/open_dialog.h"
#include "shell/paced_message_loop.h"
#include "shell/page_control.h"
#include "shell/panel_adapters.h"
#include "shell/qt_message_loop.h"
#include "shell/radio_group.h"
#include "shell/settings_adapter.h"
#include "shell/sound_adapter.h"
#include "shell/spin_edit.h"
#include "shell/text_area.h"
#include "shell/text_viewers.h"
#include "sound/microphone_listening.h"
#include "sound/mouse_keying.h"

// One entry of the window's component list: everything the window creates, in
// creation order, with whether it is a visual control (it has a place and a
// font) or not (menus, menu items, the timer, the file dialog).
struct TComponent {
  QObject* object;
  bool is_control;
};

// The system services the window uses; each one left out is the system's
// own (tests give fakes).
struct Window_Services {
  Audio_Player* player = nullptr;
  Clock* clock = nullptr;
  Message_Loop* waits = nullptr;
  Registry* registry = nullptr;
  Memory_Meter* memory_meter = nullptr;
  Processes* processes = nullptr;
  Files* files = nullptr;
  Startup_Info* startup_info = nullptr;
  // A portable folder for the settings, the sounds and the texts, with its
  // trailing separator; when empty the program's own folders decide.
  std::string portable_folder;
  // How often a conversion lets the message loop run; zero: after every line
  // and every token.
  std::chrono::microseconds conversion_turns = std::chrono::milliseconds(4);
  // Opens the capture device listened to; the system's default one if empty.
  std::function<Capture_Opening()> open_capture;
};

class TMainForm1 final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm1(Messages& messages, Window_Services services = {}, QWidget* parent = nullptr);
  ~TMainForm1() override;

  const std::vector<TComponent>& components() const { return components_; }
  // Client size that holds the pages and the command row below them.
  QSize client_size_for_controls() const;

  // The two text areas as line lists, in the code page of the selected alphabet.
  Text_Area& input_area() { return *input_area_; }
  Line_Area& output_area() { return *output_area_; }
  Code_Page code_page() const;
  // The selected item of the alphabet group; with none selected the table is
  // built as English, so the first item.
  std::string alphabet_name() const;
  QWidget* client_area() const { return client_; }
  Messages& messages() { return messages_; }
  // The areas' Morse shares, kept current as the areas change.
  Memo_Share& input_share() { return *input_share_; }
  Memo_Share& output_share() { return *output_share_; }

  // The About and report dialogs. The window makes them once its first frame
  // is on the screen, or earlier on first use; tests may give their own. A
  // box given after the captions were set takes them then.
  void set_about_box(TAboutBox* box);
  TAboutBox& about_box();
  void set_results_form(TResults_Form* form);
  TResults_Form& results_form();

  Audio_Player& audio_player() { return *player_; }
  Registry& registry() { return *registry_; }
  Memory_Meter& memory_meter() { return *memory_meter_; }
  Processes& processes() { return *processes_; }
  Files& files() { return *files_; }
  Clock& clock() { return *clock_; }
  Message_Loop& sound_message_loop() { return *waits_; }
  // Where the binary, its shipped files and the settings file are.
  const App_Folders& folders() const { return folders_; }
  // Runs `job` once the window's first frame is on the screen (at once if it
  // is already): for what no one can see before it.
  void after_first_frame(std::function<void()> job);

  TMorse_Code_Table Morse_Code_Table;
  // The whole bytes of the two WAV files.
  Sound_Image Dot_Sound_Stream;
  Sound_Image Dash_Sound_Stream;

  // The start-up sequence, run on every showing of the window.
  void FormShow();
  void Build_Morse_Code_Table();
  void Convert_Input_Text_To_Morse();
  void Convert_Input_Morse_To_Text();
  void Reset_Memos();
  void Record_Initial_Control_Layout();
  void Scale_Controls_To_Window_Size();
  void Play_Dot_Sound();
  void Play_Dash_Sound();
  void Delay_Millisec(int ms);
  void Play_Back_Memo_Morse_Code(Text_Lines& area);
  // Reads both WAV files named in the edit boxes into their streams.
  void Load_Sound_Streams();
  // The version in the window's caption and the About dialog's texts.
  void Set_Program_Captions();
  void Show_Window_As_Started();
  void Toggle_Always_On_Top();
  void Restore_Factory_Defaults();
  // Halts a playback and saves the settings; the close goes ahead whatever
  // becomes of the save.
  void FormCloseQuery();

  // Event handlers.
  void Alphabet_RadioGroupClick();
  void Convert_Text_to_Morse_ButtonClick();
  void Convert_Morse_to_Text_ButtonClick();
  void Input_MemoChange();
  void Output_MemoChange();
  void Paste_From_Clipboard_To_Input_Memo_BitBtnClick();
  void Copy_Output_Memo_To_Clipboard_BitBtnClick();
  void Reset_Input_Memo_BitBtnClick();
  void Show_Codes_OptionClick();
  void Morse_Code_Chart_BitBtnClick();
  void FormResize();
  void FormActivate();
  void Auto_Run_at_Windows_Startup_OptionClick();
  void AboutOptionClick();
  void ExitOptionClick();
  void Exit_BitBtnClick();
  void Always_On_Top_OptionClick();
  void Restore_Factory_Defaults_OptionClick();
  void Create_Shortcut_on_Desktop_OptionClick();
  void Create_Shortcut_on_Start_Menu_OptionClick();
  void Create_Shortcut_on_Start_Programs_Menu_OptionClick();
  void Create_Shortcut_on_SendTo_Menu_OptionClick();
  void Delete_All_Shortcuts_OptionClick();
  void View_Readme_file_OptionClick();
  void View_Shareware_Catalog_OptionClick();
  void Dot_Test_BitBtnClick();
  void Dash_Test_BitBtnClick();
  void Play_Back_Input_Memo_BitBtnClick();
  void Play_Back_Output_Memo_BitBtnClick();
  void Halt_Playing_Sound_BitBtnClick();
  void GroupBox1MouseDown(Qt::MouseButton button);
  void Label17MouseDown(Qt::MouseButton button);
  void End_Of_Letter_TimerTimer();
  void Select_Load_Dot_Dash_Sound_Effect(int selector);
  void Dot_Sound_Select_SpeedButtonClick();
  void Dash_Sound_Select_SpeedButtonClick();
  void Button1Click();
  void Button2Click();
  void Listen_To_Microphone_OptionClick();
  void Open_Recording_OptionClick();
  void Listening_TimerTimer();
  // Ends listening to the microphone or a recording, before anything else
  // writes to the input area or the settings are saved.
  void Stop_Listening();
  bool listening() const { return listening_.listening(); }

  // Menu bar.
  QMenuBar* MainMenu1;
  QMenu* FileMenu;
  QAction* Always_On_Top_Option;
  QAction* Auto_Run_at_Windows_Startup_Option;
  QAction* Restore_Factory_Defaults_Option;
  QAction* N4;
  QAction* Create_Shortcut_on_Desktop_Option;
  QAction* Create_Shortcut_on_Start_Menu_Option;
  QAction* Create_Shortcut_on_Start_Programs_Menu_Option;
  QAction* Create_Shortcut_on_SendTo_Menu_Option;
  QAction* Delete_All_Shortcuts_Option;
  QAction* N3;
  QAction* ExitOption;
  QMenu* View1;
  QAction* Show_Codes_Option;
  QMenu* ListenMenu;
  QAction* Listen_To_Microphone_Option;
  QAction* Open_Recording_Option;
  QMenu* HelpMenu;
  QAction* View_Readme_file_Option;
  QAction* View_Shareware_Catalog_Option;
  QAction* AboutOption;

  // Pages.
  TPageControl* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;

  // Page "Morse Code".
  QGroupBox* Input_Area_GroupBox;
  QPushButton* Paste_From_Clipboard_To_Input_Memo_BitBtn;
  QLabel* Label15;
  QLabel* Morse_Pct_Input_Memo_Label;
  QProgressBar* Morse_Pct_Input_Memo_Gauge;
  QPushButton* Play_Back_Input_Memo_BitBtn;
  QPlainTextEdit* Input_Memo;
  QGroupBox* GroupBox1;
  QLabel* Label17;
  QLabel* Label1;
  QRadioButton* End_Of_Letter_RadioButton;
  QLabel* Image1;
  QLabel* Image2;
  QLabel* Image3;
  QPushButton* Convert_Text_to_Morse_Button;
  QPushButton* Convert_Morse_to_Text_Button;
  QGroupBox* All_GroupBox;
  QPushButton* Copy_Output_Memo_To_Clipboard_BitBtn;
  QLabel* Label2;
  QLabel* Morse_Pct_Output_Memo_Label;
  QProgressBar* Morse_Pct_Output_Memo_Gauge;
  QPushButton* Play_Back_Output_Memo_BitBtn;
  QPlainTextEdit* Output_Memo;

  // Page "Settings".
  TRadioGroup* Alphabet_RadioGroup;
  TRadioGroup* Mouse_LMB_RMB_Option_RadioGroup;
  QGroupBox* GroupBox2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  TSpinEdit* Letter_Input_Delay_Millisec_SpinEdit;
  TSpinEdit* Letter_Playback_Delay_Millisec_SpinEdit;
  TSpinEdit* Dot_Dash_Playback_Delay_Millisec_SpinEdit;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;
  QGroupBox* GroupBox3;
  QLabel* Label9;
  QToolButton* Dot_Sound_Select_SpeedButton;
  QLineEdit* Dot_Sound_File_Name_Edit;
  QPushButton* Dot_Test_BitBtn;
  QLabel* Label10;
  QToolButton* Dash_Sound_Select_SpeedButton;
  QLineEdit* Dash_Sound_File_Name_Edit;
  QPushButton* Dash_Test_BitBtn;
  QPushButton* Button1;
  QPushButton* Button2;

  // Command row.
  QPushButton* Morse_Code_Chart_BitBtn;
  QPushButton* Reset_Input_Memo_BitBtn;
  QPushButton* Halt_Playing_Sound_BitBtn;
  QPushButton* Exit_BitBtn;

  // Hidden stores and flags.
  QListWidget* Scaling_ListBox;
  QCheckBox* Halt_Play_Back_Of_Sounds_CheckBox;
  QLineEdit* Last_Directory_Edit;

  // Non-visual.
  QTimer* End_Of_Letter_Timer;
  QTimer* Listening_Timer;
  TOpenDialog* OpenDialog1;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void size_client_area();
  void give_about_box_its_texts();
  // Something that runs a job on the window's thread at a later turn, while
  // the window lives; it may be called from any thread.
  std::function<void(std::function<void()>)> window_thread_poster();
  Text_Viewer_Services text_viewers();
  void create_menu();
  void create_morse_code_page();
  void create_settings_page();
  void create_command_row();
  void create_hidden_controls();
  void create_non_visual_components();
  void bind_events();

  template <class T, class... Args>
  T* control(QWidget* parent, const char* name, QRect bounds, Args&&... args);
  template <class T>
  T* component(T* object, const char* name);

  Messages& messages_;
  std::unique_ptr<Audio_Player> own_player_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<Registry> own_registry_;
  std::unique_ptr<Memory_Meter> own_memory_meter_;
  std::unique_ptr<Processes> own_processes_;
  std::unique_ptr<Files> own_files_;
  std::unique_ptr<Startup_Info> own_startup_info_;
  Qt_Message_Loop own_waits_;
  Audio_Player* player_;
  Clock* clock_;
  Message_Loop* waits_;
  Registry* registry_;
  Memory_Meter* memory_meter_;
  Processes* processes_;
  Files* files_;
  Startup_Info* startup_info_;
  App_Folders folders_;
  QWidget* client_;
  std::vector<TComponent> components_;
  std::unique_ptr<Text_Area> input_area_;
  std::unique_ptr<Text_Area> output_area_;
  std::unique_ptr<Paced_Message_Loop> message_loop_;
  std::unique_ptr<Memo_Share> input_share_;
  std::unique_ptr<Memo_Share> output_share_;
  Window_Gauges gauges_{*this};
  Window_Memos memos_{*this};
  Window_Layout layout_{*this};
  Window_Sounds sounds_{*this};
  Mouse_Keyer keyer_;
  Window_Listening listening_window_{*this};
  Microphone_Listening listening_;
  std::string recordings_folder_;  // for the run only
  bool recording_halted_ = false;
  // Activation counts at start-up and when focus comes back from one of the
  // program's own windows, not when the user returns from another program.
  bool activated_before_ = false;
  bool returning_from_outside_ = false;
  Window_Auto_Run auto_run_{*this};
  Window_Settings settings_{*this};
  Window_Shortcuts shortcuts_{*this};
  After_First_Frame* after_first_frame_;
  std::optional<About_Texts> about_texts_;  // set by Set_Program_Captions

 public:
  // The sound files' dialog as the selection sees it; tests script its dialog.
  Window_Sound_Selection sound_selection{*this};

 private:
  TAboutBox* about_box_ = nullptr;
  TResults_Form* results_form_ = nullptr;
  std::unique_ptr<Window_Report> report_;
};
