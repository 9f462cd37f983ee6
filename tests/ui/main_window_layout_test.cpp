// The main window's controls: names, design places, captions, fonts and states.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "fakes/fake_messages.h"
#include "shell/main_form.h"

namespace {

struct Placed {
  const char* name;
  const char* parent;
  QRect bounds;
};

// Design bounds relative to the parent control.
const Placed kPlaces[] = {
    {"PageControl1", "MainForm1_Client", {4, 2, 633, 445}},
    {"Input_Area_GroupBox", "TabSheet1", {4, 0, 621, 217}},
    {"Paste_From_Clipboard_To_Input_Memo_BitBtn", "Input_Area_GroupBox", {13, 21, 89, 33}},
    {"Label15", "Input_Area_GroupBox", {5, 61, 55, 15}},
    {"Morse_Pct_Input_Memo_Label", "Input_Area_GroupBox", {65, 61, 39, 15}},
    {"Morse_Pct_Input_Memo_Gauge", "Input_Area_GroupBox", {6, 82, 90, 19}},
    {"Play_Back_Input_Memo_BitBtn", "Input_Area_GroupBox", {11, 107, 90, 30}},
    {"Input_Memo", "Input_Area_GroupBox", {109, 13, 505, 121}},
    {"GroupBox1", "Input_Area_GroupBox", {108, 138, 497, 75}},
    {"Label17", "GroupBox1", {20, 18, 465, 41}},
    {"Label1", "GroupBox1", {136, 53, 233, 19}},
    {"End_Of_Letter_RadioButton", "GroupBox1", {8, 52, 121, 17}},
    {"Image1", "TabSheet1", {128, 220, 38, 41}},
    {"Image2", "TabSheet1", {344, 220, 38, 41}},
    {"Image3", "TabSheet1", {564, 222, 38, 41}},
    {"Convert_Text_to_Morse_Button", "TabSheet1", {174, 227, 161, 33}},
    {"Convert_Morse_to_Text_Button", "TabSheet1", {394, 227, 161, 33}},
    {"All_GroupBox", "TabSheet1", {4, 263, 621, 149}},
    {"Copy_Output_Memo_To_Clipboard_BitBtn", "All_GroupBox", {9, 23, 89, 33}},
    {"Label2", "All_GroupBox", {9, 62, 55, 15}},
    {"Morse_Pct_Output_Memo_Label", "All_GroupBox", {69, 62, 39, 15}},
    {"Morse_Pct_Output_Memo_Gauge", "All_GroupBox", {10, 80, 90, 19}},
    {"Play_Back_Output_Memo_BitBtn", "All_GroupBox", {11, 107, 90, 30}},
    {"Output_Memo", "All_GroupBox", {109, 15, 505, 121}},
    {"Alphabet_RadioGroup", "TabSheet2", {4, 8, 613, 73}},
    {"Mouse_LMB_RMB_Option_RadioGroup", "TabSheet2", {4, 92, 597, 71}},
    {"GroupBox2", "TabSheet2", {4, 174, 617, 123}},
    {"Label3", "GroupBox2", {5, 26, 460, 20}},
    {"Label4", "GroupBox2", {5, 60, 460, 20}},
    {"Label5", "GroupBox2", {5, 92, 460, 20}},
    {"Letter_Input_Delay_Millisec_SpinEdit", "GroupBox2", {470, 22, 70, 27}},
    {"Letter_Playback_Delay_Millisec_SpinEdit", "GroupBox2", {470, 54, 70, 27}},
    {"Dot_Dash_Playback_Delay_Millisec_SpinEdit", "GroupBox2", {470, 86, 70, 27}},
    {"Label6", "GroupBox2", {549, 26, 60, 20}},
    {"Label7", "GroupBox2", {549, 60, 60, 20}},
    {"Label8", "GroupBox2", {549, 92, 60, 20}},
    {"GroupBox3", "TabSheet2", {4, 310, 617, 95}},
    {"Label9", "GroupBox3", {46, 24, 29, 17}},
    {"Dot_Sound_Select_SpeedButton", "GroupBox3", {84, 23, 23, 22}},
    {"Dot_Sound_File_Name_Edit", "GroupBox3", {108, 22, 420, 25}},
    {"Dot_Test_BitBtn", "GroupBox3", {534, 19, 70, 30}},
    {"Label10", "GroupBox3", {37, 62, 38, 17}},
    {"Dash_Sound_Select_SpeedButton", "GroupBox3", {84, 59, 23, 22}},
    {"Dash_Sound_File_Name_Edit", "GroupBox3", {108, 58, 420, 25}},
    {"Dash_Test_BitBtn", "GroupBox3", {534, 55, 70, 30}},
    {"Button1", "TabSheet2", {456, 300, 75, 25}},
    {"Button2", "TabSheet2", {536, 300, 75, 25}},
    {"Morse_Code_Chart_BitBtn", "MainForm1_Client", {7, 449, 150, 30}},
    {"Reset_Input_Memo_BitBtn", "MainForm1_Client", {167, 449, 150, 30}},
    {"Halt_Playing_Sound_BitBtn", "MainForm1_Client", {325, 449, 150, 30}},
    {"Exit_BitBtn", "MainForm1_Client", {486, 449, 150, 30}},
};

class Main_Window_Layout : public ::testing::Test {
 protected:
  template <class T = QWidget>
  T* find(const char* name) {
    T* w = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QString text_of(const char* name) {
    if (auto* b = form.findChild<QAbstractButton*>(name)) return b->text();
    if (auto* l = form.findChild<QLabel*>(name)) return l->text();
    if (auto* g = form.findChild<QGroupBox*>(name)) return g->title();
    ADD_FAILURE() << name << " has no caption";
    return {};
  }

  Fake_Messages messages;
  TMainForm1 form{messages};
};

TEST_F(Main_Window_Layout, EveryControlSitsAtItsDesignPlaceInItsParent) {
  for (const Placed& p : kPlaces) {
    QWidget* w = find(p.name);
    if (!w) continue;
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(p.parent)) << p.name;
    EXPECT_EQ(w->geometry(), p.bounds) << p.name;
  }
  EXPECT_EQ(form.client_size_for_controls(), QSize(641, 481));
  EXPECT_EQ(form.pos(), QPoint(264, 131));
  form.show();
  // Shown, the window takes the bounds of the settings: with no settings
  // file, 10, 10 and 636 by 505 outside.
  EXPECT_EQ(form.frameGeometry(), QRect(10, 10, 636, 505));
}

TEST_F(Main_Window_Layout, CaptionsAndHintsReadAsDesigned) {
  const std::pair<const char*, const char*> captions[] = {
      {"Input_Area_GroupBox", " Input Area : "},
      {"Paste_From_Clipboard_To_Input_Memo_BitBtn", "Paste"},
      {"Label15", "Morse % :"},
      {"Morse_Pct_Input_Memo_Label", "???.???"},
      {"Morse_Pct_Output_Memo_Label", "???.???"},
      {"GroupBox1", " Morse Sound Recording "},
      {"Label17",
       "Left or Right Mouse click inside this box to generate morse sounds and more code as "
       "input.  LMB = Dot, RMB = Dash."},
      {"Label1", ""},
      {"End_Of_Letter_RadioButton", "Current Letter"},
      {"Convert_Text_to_Morse_Button", "Convert Text to Morse"},
      {"Convert_Morse_to_Text_Button", "Convert Morse to Text"},
      {"All_GroupBox", " Output Area : "},
      {"Copy_Output_Memo_To_Clipboard_BitBtn", "Copy"},
      {"Alphabet_RadioGroup", " Alphabet : "},
      {"GroupBox2", " Timings and Delays : "},
      {"Label4", " Delay between Letters (when playing back Morse Code sounds) : "},
      {"Label6", "Millisec"},
      {"GroupBox3", " Morse Code Sound Effects : "},
      {"Label9", "Dot :"},
      {"Label10", "Dash :"},
      {"Dash_Test_BitBtn", "Test"},
      {"Button1", "Snd Loop"},
      {"Button2", "Stop"},
      {"Morse_Code_Chart_BitBtn", "Morse Code Chart"},
      {"Reset_Input_Memo_BitBtn", "Reset"},
      {"Halt_Playing_Sound_BitBtn", "Halt"},
      {"Exit_BitBtn", "Exit"},
      {"Halt_Play_Back_Of_Sounds_CheckBox", "Halt_Play_Back_Of_Sounds_CheckBox"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(text_of(name), caption) << name;

  EXPECT_EQ(form.PageControl1->tabText(0), "Morse Code");
  EXPECT_EQ(form.PageControl1->tabText(1), "Settings");
  EXPECT_EQ(form.PageControl1->currentIndex(), 0);
  EXPECT_EQ(form.PageControl1->tabBar()->tabRect(0).width(), 140);
  EXPECT_EQ(form.Play_Back_Output_Memo_BitBtn->toolTip(), "Playback the output area's Morse Code");
  EXPECT_EQ(form.Dash_Sound_Select_SpeedButton->toolTip(), "Select the Dash sound");
  EXPECT_EQ(form.Morse_Code_Chart_BitBtn->toolTip(),
            "Display a Morse Code Chart for the currently selected Alphabet");
  EXPECT_TRUE(form.Exit_BitBtn->toolTip().isEmpty());
  EXPECT_EQ(form.windowTitle(), "??");

  const QStringList menu_titles = {"&File", "View", "&Listen", "&Help"};
  QStringList shown;
  for (QAction* a : form.MainMenu1->actions()) shown << a->text();
  EXPECT_EQ(shown, menu_titles);
  QStringList listen_items;
  for (QAction* a : form.ListenMenu->actions()) listen_items << a->text();
  EXPECT_EQ(listen_items, (QStringList{"Listen to the &Microphone", "&Open Recording..."}));
  EXPECT_TRUE(form.Listen_To_Microphone_Option->isCheckable());
  QStringList file_items;
  for (QAction* a : form.FileMenu->actions()) file_items << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(file_items,
            (QStringList{"Always on Top", "Auto-Run at Windows Startup", "Restore Factory Defaults",
                         "-", "Create Shortcut on Desktop", "Create Shortcut on Start Menu",
                         "Create Shortcut on Start -> Programs Menu",
                         "Create Shortcut on SendTo Menu", "Delete ALL Shortcuts", "-", "E&xit"}));
  EXPECT_EQ(form.Show_Codes_Option->text(), "&Show all Morse Codes");
  EXPECT_EQ(form.View_Shareware_Catalog_Option->text(), "View &Shareware Catalog");
}

TEST_F(Main_Window_Layout, FontsAreWholePointSizesOfTheirDesignPixelHeights) {
  EXPECT_EQ(form.font().family(), "Times New Roman");
  EXPECT_EQ(form.font().pointSize(), 11);             // 15 px
  EXPECT_EQ(form.Label15->font().pointSize(), 10);    // 13 px
  EXPECT_EQ(form.Input_Memo->font().pointSize(), 9);  // 12 px
  EXPECT_EQ(form.Input_Memo->font().family(), "Courier");
  EXPECT_TRUE(form.Output_Memo->font().bold());
  EXPECT_EQ(form.Exit_BitBtn->font().pointSize(), 14);  // 19 px
  EXPECT_TRUE(form.GroupBox1->font().bold());
  EXPECT_FALSE(form.Label17->font().bold());
  EXPECT_EQ(form.Convert_Text_to_Morse_Button->font().pointSize(), 11);  // inherited
}

TEST_F(Main_Window_Layout, StatesRangesAndItemsAreTheDesignOnes) {
  EXPECT_FALSE(form.Halt_Playing_Sound_BitBtn->isEnabled());
  EXPECT_FALSE(form.End_Of_Letter_RadioButton->isEnabled());
  EXPECT_FALSE(form.Mouse_LMB_RMB_Option_RadioGroup->isEnabled());
  EXPECT_TRUE(form.Convert_Text_to_Morse_Button->isEnabled());
  EXPECT_TRUE(form.Convert_Morse_to_Text_Button->isEnabled());
  EXPECT_TRUE(form.Output_Memo->isReadOnly());
  EXPECT_FALSE(form.Input_Memo->isReadOnly());
  EXPECT_EQ(form.Input_Memo->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(form.Output_Memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  for (QWidget* hidden : {static_cast<QWidget*>(form.Scaling_ListBox),
                          static_cast<QWidget*>(form.Halt_Play_Back_Of_Sounds_CheckBox),
                          static_cast<QWidget*>(form.Last_Directory_Edit)}) {
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
  }
  for (QSpinBox* spin :
       {form.Letter_Input_Delay_Millisec_SpinEdit, form.Letter_Playback_Delay_Millisec_SpinEdit,
        form.Dot_Dash_Playback_Delay_Millisec_SpinEdit}) {
    EXPECT_EQ(spin->minimum(), 25);
    EXPECT_EQ(spin->maximum(), 10000);
    EXPECT_EQ(spin->singleStep(), 5);
    EXPECT_EQ(spin->value(), 25);
    spin->setValue(20000);
    EXPECT_EQ(spin->value(), 10000);
  }
}

TEST_F(Main_Window_Layout, UnfinishedSpinEditTextSettlesOnABound) {
  QSpinBox* spin = form.Letter_Playback_Delay_Millisec_SpinEdit;
  spin->setValue(300);
  const auto leave_with = [spin](const QString& text) {
    spin->findChild<QLineEdit*>()->setText(text);
    QFocusEvent focus_out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(spin, &focus_out);
    return spin->value();
  };
  EXPECT_EQ(leave_with("3"), 25);
  EXPECT_EQ(leave_with("4000"), 4000);
  EXPECT_EQ(leave_with(""), 25);
  EXPECT_EQ(leave_with("99999999999999999999"), 10000);
  // Typed key by key, a number past the bounds is taken whole, then settles.
  const auto type_and_leave = [spin](const QString& keys) {
    spin->selectAll();
    QTest::keyClicks(spin, keys);
    QFocusEvent focus_out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(spin, &focus_out);
    return spin->value();
  };
  EXPECT_EQ(type_and_leave("20000"), 10000);
  EXPECT_EQ(type_and_leave("-5"), 25);
  EXPECT_EQ(type_and_leave("1x200"), 1200);  // a letter is still refused
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Gauge->value(), 0);
  EXPECT_EQ(form.Morse_Pct_Output_Memo_Gauge->maximum(), 100);
  EXPECT_EQ(form.Dot_Sound_File_Name_Edit->text(), "Dot_Sound_File_Name_Edit");

  ASSERT_EQ(form.Alphabet_RadioGroup->count(), 4);
  EXPECT_EQ(form.Alphabet_RadioGroup->button(3)->text(), "Russian Alphabet");
  // Two columns: the third item starts the second column.
  EXPECT_EQ(form.Alphabet_RadioGroup->button(2)->y(), form.Alphabet_RadioGroup->button(0)->y());
  EXPECT_GT(form.Alphabet_RadioGroup->button(2)->x(), form.Alphabet_RadioGroup->button(1)->x());

  EXPECT_EQ(form.End_Of_Letter_Timer->interval(), 25);
  EXPECT_TRUE(form.End_Of_Letter_Timer->isActive());
  EXPECT_TRUE(form.Always_On_Top_Option->isCheckable());
}

TEST_F(Main_Window_Layout, TabMovesTheFocusOutOfTheTextAreasAndBack) {
  form.show();
  for (QPlainTextEdit* area : {form.Input_Memo, form.Output_Memo}) {
    form.PageControl1->setCurrentIndex(0);
    area->setFocus();
    QTest::keyClick(area, Qt::Key_Tab);
    EXPECT_NE(form.focusWidget(), area) << area->objectName().toStdString();
    QTest::keyClick(form.focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(form.focusWidget(), area) << area->objectName().toStdString();
  }
  EXPECT_EQ(form.Input_Memo->toPlainText(), "");
}

TEST_F(Main_Window_Layout, MenuClicksFlipCheckMarksOnlyThroughTheirHandlers) {
  // One flip per click: Qt's own toggle is undone, the handler's stays.
  form.Always_On_Top_Option->trigger();
  EXPECT_TRUE(form.Always_On_Top_Option->isChecked());
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  form.Always_On_Top_Option->trigger();
  EXPECT_FALSE(form.Always_On_Top_Option->isChecked());
  EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(Main_Window_Layout, ComponentListHoldsEveryNamedComponentOnceInCreationOrder) {
  const auto& components = form.components();
  QStringList names;
  for (const TComponent& c : components) {
    ASSERT_NE(c.object, nullptr);
    names << c.object->objectName();
    EXPECT_EQ(c.is_control,
              qobject_cast<QWidget*>(c.object) != nullptr && c.object != form.MainMenu1 &&
                  qobject_cast<QMenu*>(c.object) == nullptr && c.object != form.OpenDialog1)
        << c.object->objectName().toStdString();
  }
  EXPECT_EQ(names.removeDuplicates(), 0);
  for (const Placed& p : kPlaces) EXPECT_TRUE(names.contains(p.name)) << p.name;
  for (const char* other : {"TabSheet1", "TabSheet2", "Scaling_ListBox", "MainMenu1", "N3", "N4",
                            "AboutOption", "End_Of_Letter_Timer", "OpenDialog1"}) {
    EXPECT_TRUE(names.contains(other)) << other;
  }
  // A parent is created before its children.
  EXPECT_LT(names.indexOf("Input_Area_GroupBox"), names.indexOf("Input_Memo"));
  EXPECT_LT(names.indexOf("FileMenu"), names.indexOf("ExitOption"));
  EXPECT_EQ(names.size(), 81);
}

}  // namespace
