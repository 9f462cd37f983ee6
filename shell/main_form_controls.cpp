// Creation of the main window's controls at their design places, in the order
// that the component list keeps.

#include <QApplication>
#include <QIcon>
#include <QPalette>

#include "panels/control_picture_edit.h"
#include "shell/main_form.h"
#include "widgets/contrast.h"
#include "widgets/design_font.h"
#include "widgets/gauge_bar.h"
#include "widgets/glyphs.h"

namespace {

const QString kTimes = QStringLiteral("Times New Roman");
const QString kCourier = QStringLiteral("Courier");
const QColor kLime(0, 255, 0);

void set_text_colour(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Text, colour);
  w->setPalette(p);
}

// Black where it reads on the window behind the label, as designed; on a dark
// window the desktop's own text colour, not a light patch behind the label.
void set_label_text_colour(QLabel* label) {
  const QColor behind = label->palette().color(QPalette::Window);
  const QColor colour = reads_on(Qt::black, behind)
                            ? QColor(Qt::black)
                            : readable_text(label->palette().color(QPalette::WindowText), behind);
  set_text_colour(label, colour);
}

// For enabled controls only: disabled ones keep the desktop's dimmed colours,
// which show that they are disabled.
void set_enabled_colour(QWidget* w, std::initializer_list<QPalette::ColorRole> roles,
                        const QColor& colour) {
  QPalette p = w->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    for (QPalette::ColorRole role : roles) p.setColor(group, role, colour);
  }
  w->setPalette(p);
}

void set_background(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colour);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

void make_glyph_button(QPushButton* b, const QString& caption, Glyph glyph, const QString& hint) {
  b->setText(caption);
  b->setIcon(glyph_icon(glyph));
  b->setIconSize(QSize(16, 16));
  b->setToolTip(hint);
}

// The areas are black on white under any theme: the desktop's base colour
// would be as dark as the text under a dark one.
void make_memo(QPlainTextEdit* memo) {
  memo->setFont(design_font(kCourier, 12, true));
  set_text_colour(memo, Qt::black);
  set_enabled_colour(memo, {QPalette::Base}, Qt::white);
  // Tab and Shift+Tab move through the window; a tab character still arrives by paste.
  memo->setTabChangesFocus(true);
}

void make_spin_edit(QSpinBox* spin) {
  spin->setRange(25, 10000);
  spin->setSingleStep(5);
  spin->setValue(25);
}

void make_label(QLabel* label, const QString& caption, Qt::Alignment alignment = Qt::AlignLeft) {
  label->setText(caption);
  label->setAlignment(alignment | Qt::AlignTop);
}

}  // namespace

template <class T, class... Args>
T* TMainForm1::control(QWidget* parent, const char* name, QRect bounds, Args&&... args) {
  T* w = new T(std::forward<Args>(args)..., parent);
  w->setGeometry(bounds);
  w->setObjectName(QString::fromLatin1(name));
  components_.push_back({w, true});
  return w;
}

template <class T>
T* TMainForm1::component(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  components_.push_back({object, false});
  return object;
}

void TMainForm1::create_menu() {
  MainMenu1 = component(menuBar(), "MainMenu1");
  // Menus take the desktop's menu font, not the window's design font.
  MainMenu1->setFont(QApplication::font(MainMenu1));
  auto item = [this](QMenu* menu, const char* name, const QString& caption, bool checkable) {
    QAction* a = component(menu->addAction(caption), name);
    if (checkable) {
      a->setCheckable(true);
      // The check mark shows a state that the handler sets; a click alone
      // must not flip it, so undo the toggle before any handler runs.
      connect(a, &QAction::triggered, a, [a](bool checked) { a->setChecked(!checked); });
    }
    return a;
  };
  auto separator = [this](QMenu* menu, const char* name) {
    return component(menu->addSeparator(), name);
  };

  FileMenu = component(MainMenu1->addMenu(QStringLiteral("&File")), "FileMenu");
  Always_On_Top_Option = item(FileMenu, "Always_On_Top_Option", "Always on Top", true);
  Auto_Run_at_Windows_Startup_Option =
      item(FileMenu, "Auto_Run_at_Windows_Startup_Option", "Auto-Run at Windows Startup", true);
  Restore_Factory_Defaults_Option =
      item(FileMenu, "Restore_Factory_Defaults_Option", "Restore Factory Defaults", false);
  N4 = separator(FileMenu, "N4");
  Create_Shortcut_on_Desktop_Option =
      item(FileMenu, "Create_Shortcut_on_Desktop_Option", "Create Shortcut on Desktop", false);
  Create_Shortcut_on_Start_Menu_Option = item(FileMenu, "Create_Shortcut_on_Start_Menu_Option",
                                              "Create Shortcut on Start Menu", false);
  Create_Shortcut_on_Start_Programs_Menu_Option =
      item(FileMenu, "Create_Shortcut_on_Start_Programs_Menu_Option",
           "Create Shortcut on Start -> Programs Menu", false);
  Create_Shortcut_on_SendTo_Menu_Option = item(FileMenu, "Create_Shortcut_on_SendTo_Menu_Option",
                                               "Create Shortcut on SendTo Menu", false);
  Delete_All_Shortcuts_Option =
      item(FileMenu, "Delete_All_Shortcuts_Option", "Delete ALL Shortcuts", false);
  N3 = separator(FileMenu, "N3");
  ExitOption = item(FileMenu, "ExitOption", "E&xit", false);

  View1 = component(MainMenu1->addMenu(QStringLiteral("View")), "View1");
  Show_Codes_Option = item(View1, "Show_Codes_Option", "&Show all Morse Codes", false);

  ListenMenu = component(MainMenu1->addMenu(QStringLiteral("&Listen")), "ListenMenu");
  Listen_To_Microphone_Option =
      item(ListenMenu, "Listen_To_Microphone_Option", "Listen to the &Microphone", true);
  Open_Recording_Option = item(ListenMenu, "Open_Recording_Option", "&Open Recording...", false);

  HelpMenu = component(MainMenu1->addMenu(QStringLiteral("&Help")), "HelpMenu");
  View_Readme_file_Option = item(HelpMenu, "View_Readme_file_Option", "&View Readme file", false);
  View_Shareware_Catalog_Option =
      item(HelpMenu, "View_Shareware_Catalog_Option", "View &Shareware Catalog", false);
  AboutOption = item(HelpMenu, "AboutOption", "&About", false);
}

void TMainForm1::create_morse_code_page() {
  PageControl1 = control<TPageControl>(client_, "PageControl1", {4, 2, 633, 445}, 140);
  TabSheet1 = component(new QWidget(PageControl1), "TabSheet1");
  components_.back().is_control = true;
  PageControl1->addTab(TabSheet1, QStringLiteral("Morse Code"));

  Input_Area_GroupBox = control<QGroupBox>(TabSheet1, "Input_Area_GroupBox", {4, 0, 621, 217},
                                           QStringLiteral(" Input Area : "));
  QWidget* in = Input_Area_GroupBox;
  Paste_From_Clipboard_To_Input_Memo_BitBtn =
      control<QPushButton>(in, "Paste_From_Clipboard_To_Input_Memo_BitBtn", {13, 21, 89, 33});
  make_glyph_button(Paste_From_Clipboard_To_Input_Memo_BitBtn, QStringLiteral("Paste"),
                    Glyph::Clipboard,
                    QStringLiteral("Paste Text / Morse Code from Windows Clipboard"));
  Label15 = control<QLabel>(in, "Label15", {5, 61, 55, 15});
  make_label(Label15, QStringLiteral("Morse % :"));
  Morse_Pct_Input_Memo_Label = control<QLabel>(in, "Morse_Pct_Input_Memo_Label", {65, 61, 39, 15});
  make_label(Morse_Pct_Input_Memo_Label, QStringLiteral("???.???"));
  Morse_Pct_Input_Memo_Gauge =
      control<QProgressBar>(in, "Morse_Pct_Input_Memo_Gauge", {6, 82, 90, 19});
  make_gauge_bar(Morse_Pct_Input_Memo_Gauge, kLime);
  Play_Back_Input_Memo_BitBtn =
      control<QPushButton>(in, "Play_Back_Input_Memo_BitBtn", {11, 107, 90, 30});
  make_glyph_button(Play_Back_Input_Memo_BitBtn, QStringLiteral("Play"), Glyph::Loudspeaker,
                    QStringLiteral("Playback the input area's Morse Code"));
  Input_Memo = control<QPlainTextEdit>(in, "Input_Memo", {109, 13, 505, 121});
  make_memo(Input_Memo);
  Input_Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Input_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Input_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  GroupBox1 = control<QGroupBox>(in, "GroupBox1", {108, 138, 497, 75},
                                 QStringLiteral(" Morse Sound Recording "));
  set_background(GroupBox1, kLime);
  // Lime under any theme, so black text under any theme too (the title takes
  // the Text role, the labels in it WindowText).
  set_enabled_colour(GroupBox1, {QPalette::WindowText, QPalette::Text}, Qt::black);
  GroupBox1->setFont(design_font(kTimes, 15, true));
  GroupBox1->setCursor(Qt::PointingHandCursor);
  Label17 = control<QLabel>(GroupBox1, "Label17", {20, 18, 465, 41});
  make_label(Label17,
             QStringLiteral("Left or Right Mouse click inside this box to generate morse sounds "
                            "and more code as input.  LMB = Dot, RMB = Dash."),
             Qt::AlignHCenter);
  Label17->setWordWrap(true);
  Label17->setFont(design_font(kTimes, 15));
  Label17->setCursor(Qt::PointingHandCursor);
  Label1 = control<QLabel>(GroupBox1, "Label1", {136, 53, 233, 19});
  Label1->setWordWrap(true);
  Label1->setFont(design_font(kTimes, 15));
  End_Of_Letter_RadioButton = control<QRadioButton>(
      GroupBox1, "End_Of_Letter_RadioButton", {8, 52, 121, 17}, QStringLiteral("Current Letter"));
  End_Of_Letter_RadioButton->setEnabled(false);
  // It stands alone: only code checks and clears it, which an exclusive
  // radio button would refuse.
  End_Of_Letter_RadioButton->setAutoExclusive(false);
  End_Of_Letter_RadioButton->setFont(design_font(kTimes, 15, true));

  const QPixmap arrow = down_arrow_picture();
  Image1 = control<QLabel>(TabSheet1, "Image1", {128, 220, 38, 41});
  Image2 = control<QLabel>(TabSheet1, "Image2", {344, 220, 38, 41});
  Image3 = control<QLabel>(TabSheet1, "Image3", {564, 222, 38, 41});
  for (QLabel* image : {Image1, Image2, Image3}) {
    image->setPixmap(arrow);
    image->setScaledContents(true);
    image->setAttribute(Qt::WA_TranslucentBackground);
  }

  Convert_Text_to_Morse_Button =
      control<QPushButton>(TabSheet1, "Convert_Text_to_Morse_Button", {174, 227, 161, 33},
                           QStringLiteral("Convert Text to Morse"));
  Convert_Morse_to_Text_Button =
      control<QPushButton>(TabSheet1, "Convert_Morse_to_Text_Button", {394, 227, 161, 33},
                           QStringLiteral("Convert Morse to Text"));

  All_GroupBox = control<QGroupBox>(TabSheet1, "All_GroupBox", {4, 263, 621, 149},
                                    QStringLiteral(" Output Area : "));
  QWidget* out = All_GroupBox;
  Copy_Output_Memo_To_Clipboard_BitBtn =
      control<QPushButton>(out, "Copy_Output_Memo_To_Clipboard_BitBtn", {9, 23, 89, 33});
  make_glyph_button(Copy_Output_Memo_To_Clipboard_BitBtn, QStringLiteral("Copy"), Glyph::Copy_Pages,
                    QStringLiteral("Copy converted text to Windows Clipboard"));
  Label2 = control<QLabel>(out, "Label2", {9, 62, 55, 15});
  make_label(Label2, QStringLiteral("Morse % :"));
  Morse_Pct_Output_Memo_Label =
      control<QLabel>(out, "Morse_Pct_Output_Memo_Label", {69, 62, 39, 15});
  make_label(Morse_Pct_Output_Memo_Label, QStringLiteral("???.???"));
  Morse_Pct_Output_Memo_Gauge =
      control<QProgressBar>(out, "Morse_Pct_Output_Memo_Gauge", {10, 80, 90, 19});
  make_gauge_bar(Morse_Pct_Output_Memo_Gauge, kLime);
  Play_Back_Output_Memo_BitBtn =
      control<QPushButton>(out, "Play_Back_Output_Memo_BitBtn", {11, 107, 90, 30});
  make_glyph_button(Play_Back_Output_Memo_BitBtn, QStringLiteral("Play"), Glyph::Loudspeaker,
                    QStringLiteral("Playback the output area's Morse Code"));
  Output_Memo = control<Control_Picture_Edit>(out, "Output_Memo", {109, 15, 505, 121});
  make_memo(Output_Memo);
  Output_Memo->setReadOnly(true);
  Output_Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Output_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Output_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  for (QLabel* label : {Label15, Morse_Pct_Input_Memo_Label, Label2, Morse_Pct_Output_Memo_Label}) {
    label->setFont(design_font(kTimes, 13));
    set_label_text_colour(label);
  }
}

void TMainForm1::create_settings_page() {
  TabSheet2 = component(new QWidget(PageControl1), "TabSheet2");
  components_.back().is_control = true;
  PageControl1->addTab(TabSheet2, QStringLiteral("Settings"));

  Alphabet_RadioGroup = control<TRadioGroup>(TabSheet2, "Alphabet_RadioGroup", {4, 8, 613, 73},
                                             QStringLiteral(" Alphabet : "),
                                             QStringList{"English Alphabet", "European Alphabet",
                                                         "Norwegian Alphabet", "Russian Alphabet"},
                                             2);
  Alphabet_RadioGroup->setItemIndex(0);
  Mouse_LMB_RMB_Option_RadioGroup = control<TRadioGroup>(
      TabSheet2, "Mouse_LMB_RMB_Option_RadioGroup", {4, 92, 597, 71},
      QStringLiteral(" Morse Sound Recording Options - Generating Morse Code with the Mouse : "),
      QStringList{"Left Mouse Button (LMB) = Dot, Right Mouse Button (RMB) = Dash.",
                  "Dot or Dash Depends on the amount of time the Left Mouse Button (LMB)  is "
                  "pressed"},
      1);
  Mouse_LMB_RMB_Option_RadioGroup->setItemIndex(0);
  Mouse_LMB_RMB_Option_RadioGroup->setEnabled(false);

  GroupBox2 = control<QGroupBox>(TabSheet2, "GroupBox2", {4, 174, 617, 123},
                                 QStringLiteral(" Timings and Delays : "));
  const Qt::Alignment right = Qt::AlignRight;
  Label3 = control<QLabel>(GroupBox2, "Label3", {5, 26, 460, 20});
  make_label(Label3,
             QStringLiteral(" Delay Between Letters (when recording Morse Code via the mouse) : "),
             right);
  Label4 = control<QLabel>(GroupBox2, "Label4", {5, 60, 460, 20});
  make_label(Label4,
             QStringLiteral(" Delay between Letters (when playing back Morse Code sounds) : "),
             right);
  Label5 = control<QLabel>(GroupBox2, "Label5", {5, 92, 460, 20});
  make_label(
      Label5,
      QStringLiteral(" Delay between Dots and Dashes (when playing back Morse Code sounds) : "),
      right);
  Letter_Input_Delay_Millisec_SpinEdit =
      control<TSpinEdit>(GroupBox2, "Letter_Input_Delay_Millisec_SpinEdit", {470, 22, 70, 27});
  Letter_Playback_Delay_Millisec_SpinEdit =
      control<TSpinEdit>(GroupBox2, "Letter_Playback_Delay_Millisec_SpinEdit", {470, 54, 70, 27});
  Dot_Dash_Playback_Delay_Millisec_SpinEdit =
      control<TSpinEdit>(GroupBox2, "Dot_Dash_Playback_Delay_Millisec_SpinEdit", {470, 86, 70, 27});
  for (QSpinBox* spin :
       {Letter_Input_Delay_Millisec_SpinEdit, Letter_Playback_Delay_Millisec_SpinEdit,
        Dot_Dash_Playback_Delay_Millisec_SpinEdit}) {
    make_spin_edit(spin);
  }
  Label6 = control<QLabel>(GroupBox2, "Label6", {549, 26, 60, 20});
  Label7 = control<QLabel>(GroupBox2, "Label7", {549, 60, 60, 20});
  Label8 = control<QLabel>(GroupBox2, "Label8", {549, 92, 60, 20});
  for (QLabel* unit : {Label6, Label7, Label8}) make_label(unit, QStringLiteral("Millisec"));

  GroupBox3 = control<QGroupBox>(TabSheet2, "GroupBox3", {4, 310, 617, 95},
                                 QStringLiteral(" Morse Code Sound Effects : "));
  Label9 = control<QLabel>(GroupBox3, "Label9", {46, 24, 29, 17});
  make_label(Label9, QStringLiteral("Dot :"), right);
  Dot_Sound_Select_SpeedButton =
      control<QToolButton>(GroupBox3, "Dot_Sound_Select_SpeedButton", {84, 23, 23, 22});
  Dot_Sound_File_Name_Edit =
      control<QLineEdit>(GroupBox3, "Dot_Sound_File_Name_Edit", {108, 22, 420, 25});
  Dot_Test_BitBtn = control<QPushButton>(GroupBox3, "Dot_Test_BitBtn", {534, 19, 70, 30});
  make_glyph_button(Dot_Test_BitBtn, QStringLiteral("Test"), Glyph::Loudspeaker,
                    QStringLiteral("Play / test the Dot sound"));
  Label10 = control<QLabel>(GroupBox3, "Label10", {37, 62, 38, 17});
  make_label(Label10, QStringLiteral("Dash :"), right);
  Dash_Sound_Select_SpeedButton =
      control<QToolButton>(GroupBox3, "Dash_Sound_Select_SpeedButton", {84, 59, 23, 22});
  Dash_Sound_File_Name_Edit =
      control<QLineEdit>(GroupBox3, "Dash_Sound_File_Name_Edit", {108, 58, 420, 25});
  Dash_Test_BitBtn = control<QPushButton>(GroupBox3, "Dash_Test_BitBtn", {534, 55, 70, 30});
  make_glyph_button(Dash_Test_BitBtn, QStringLiteral("Test"), Glyph::Loudspeaker,
                    QStringLiteral("Play / test the Dash sound"));
  Dot_Sound_Select_SpeedButton->setToolTip(QStringLiteral("Select the Dot sound"));
  Dash_Sound_Select_SpeedButton->setToolTip(QStringLiteral("Select the Dash sound"));
  for (QToolButton* b : {Dot_Sound_Select_SpeedButton, Dash_Sound_Select_SpeedButton}) {
    b->setIcon(glyph_icon(Glyph::Open_Folder));
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
  }
  // Until the settings name the sound files, the edits hold their own names.
  Dot_Sound_File_Name_Edit->setText(Dot_Sound_File_Name_Edit->objectName());
  Dash_Sound_File_Name_Edit->setText(Dash_Sound_File_Name_Edit->objectName());

  Button1 =
      control<QPushButton>(TabSheet2, "Button1", {456, 300, 75, 25}, QStringLiteral("Snd Loop"));
  Button2 = control<QPushButton>(TabSheet2, "Button2", {536, 300, 75, 25}, QStringLiteral("Stop"));
}

void TMainForm1::create_command_row() {
  Morse_Code_Chart_BitBtn =
      control<QPushButton>(client_, "Morse_Code_Chart_BitBtn", {7, 449, 150, 30});
  make_glyph_button(
      Morse_Code_Chart_BitBtn, QStringLiteral("Morse Code Chart"), Glyph::Document,
      QStringLiteral("Display a Morse Code Chart for the currently selected Alphabet"));
  Reset_Input_Memo_BitBtn =
      control<QPushButton>(client_, "Reset_Input_Memo_BitBtn", {167, 449, 150, 30});
  make_glyph_button(Reset_Input_Memo_BitBtn, QStringLiteral("Reset"), Glyph::Circular_Arrow,
                    QStringLiteral("Reset / erase the input and output areas"));
  Halt_Playing_Sound_BitBtn =
      control<QPushButton>(client_, "Halt_Playing_Sound_BitBtn", {325, 449, 150, 30});
  make_glyph_button(Halt_Playing_Sound_BitBtn, QStringLiteral("Halt"), Glyph::Stop_Sign,
                    QStringLiteral("Halt playing back the sound"));
  Halt_Playing_Sound_BitBtn->setEnabled(false);
  Exit_BitBtn = control<QPushButton>(client_, "Exit_BitBtn", {486, 449, 150, 30});
  make_glyph_button(Exit_BitBtn, QStringLiteral("Exit"), Glyph::Door, QString());
  Exit_BitBtn->setFont(design_font(kTimes, 19));
}

// Stores and flags that other parts of the program keep in controls; they lie
// beyond the right edge of the client area and are never shown.
void TMainForm1::create_hidden_controls() {
  Scaling_ListBox = control<QListWidget>(client_, "Scaling_ListBox", {648, 8, 57, 97});
  Halt_Play_Back_Of_Sounds_CheckBox =
      control<QCheckBox>(client_, "Halt_Play_Back_Of_Sounds_CheckBox", {648, 112, 57, 17});
  Halt_Play_Back_Of_Sounds_CheckBox->setText(Halt_Play_Back_Of_Sounds_CheckBox->objectName());
  Last_Directory_Edit = control<QLineEdit>(client_, "Last_Directory_Edit", {648, 136, 57, 21});
  Last_Directory_Edit->setText(Last_Directory_Edit->objectName());
  for (QWidget* w : std::initializer_list<QWidget*>{
           Scaling_ListBox, Halt_Play_Back_Of_Sounds_CheckBox, Last_Directory_Edit}) {
    w->setVisible(false);
  }
}

void TMainForm1::create_non_visual_components() {
  End_Of_Letter_Timer = component(new QTimer(this), "End_Of_Letter_Timer");
  End_Of_Letter_Timer->setInterval(25);
  End_Of_Letter_Timer->start();
  // Runs only while the microphone is listened to.
  Listening_Timer = component(new QTimer(this), "Listening_Timer");
  Listening_Timer->setInterval(50);
  OpenDialog1 = component(new TOpenDialog(this), "OpenDialog1");
}
