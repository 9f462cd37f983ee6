// Sounds, playback, keying and the choice of sound files in the real window,
// with a recording player and a fake clock that the waits move on.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "fakes/fake_audio_player.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_messages.h"
#include "shell/main_form.h"
#include "sound/sound_selection.h"
#include "ui/fake_time_loop.h"

namespace {

class Main_Window_Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    QCoreApplication::processEvents();
    // The streams as the player knows them: a dot of 60 ms, a dash of 180 ms.
    form.Dot_Sound_Stream = dot;
    form.Dash_Sound_Stream = dash;
    player.know(dot, "dot", std::chrono::milliseconds(60));
    player.know(dash, "dash", std::chrono::milliseconds(180));
  }
  std::vector<std::string> sounds() const {
    std::vector<std::string> all;
    for (const auto& p : player.played) {
      all.push_back(p.sound + "@" + std::to_string(static_cast<int>(p.start_ms - start_ms)));
    }
    return all;
  }
  void key(QWidget* where, Qt::MouseButton button) { QTest::mousePress(where, button); }
  static QLineEdit* name_box(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  }

  Fake_Messages messages;
  Fake_Clock clock;
  Fake_Audio_Player player{clock};
  Fake_Time_Loop waits{clock};
  Window_Services services() {
    Window_Services s;
    s.player = &player;
    s.clock = &clock;
    s.waits = &waits;
    return s;
  }
  TMainForm1 form{messages, services()};
  Sound_Image dot = std::make_shared<const std::vector<unsigned char>>(1, 'd');
  Sound_Image dash = std::make_shared<const std::vector<unsigned char>>(1, 'D');
  double start_ms = clock.elapsed_ms();
};

TEST_F(Main_Window_Sound, TheFirstShowingLoadsTheShippedTonesAndDefaultDelays) {
  TMainForm1 fresh{messages, services()};
  fresh.show();
  // In the system's own spelling: backslashes on Windows.
  const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/");
  EXPECT_EQ(fresh.Dot_Sound_File_Name_Edit->text(), folder + "Mores_Code_Dot_Tone.wav");
  ASSERT_GT(fresh.Dot_Sound_Stream->size(), 44u);
  EXPECT_EQ(std::string(fresh.Dash_Sound_Stream->begin(), fresh.Dash_Sound_Stream->begin() + 4),
            "RIFF");
  EXPECT_EQ(fresh.Letter_Input_Delay_Millisec_SpinEdit->value(), 400);
  EXPECT_EQ(fresh.Letter_Playback_Delay_Millisec_SpinEdit->value(), 300);
  EXPECT_EQ(fresh.Dot_Dash_Playback_Delay_Millisec_SpinEdit->value(), 50);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Main_Window_Sound, TestButtonsPlayTheirSoundOrShowTheErrorBox) {
  QTest::mouseClick(form.Dot_Test_BitBtn, Qt::LeftButton);
  QTest::mouseClick(form.Dash_Test_BitBtn, Qt::LeftButton);
  EXPECT_EQ(sounds(), (std::vector<std::string>{"dot@0", "dash@60"}));
  EXPECT_TRUE(messages.shown.empty());

  form.Dash_Sound_File_Name_Edit->setText("/no/such/file.wav");
  QTest::mouseClick(form.Dash_Test_BitBtn, Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Error);
  EXPECT_EQ(messages.shown[0].text.substr(0, 30), "Error: The \"Dash\" sound does n");
  EXPECT_TRUE(form.Halt_Play_Back_Of_Sounds_CheckBox->isChecked());
}

TEST_F(Main_Window_Sound, PlayPacesTheAreaAndHaltStopsItAfterThePause) {
  form.Input_Memo->setPlainText(".- .");
  ASSERT_TRUE(form.Play_Back_Input_Memo_BitBtn->isEnabled());
  bool controls_during_play = false;
  player.while_playing = [&] {
    controls_during_play = !form.Play_Back_Input_Memo_BitBtn->isEnabled() &&
                           !form.Play_Back_Output_Memo_BitBtn->isEnabled() &&
                           form.Halt_Playing_Sound_BitBtn->isEnabled() &&
                           !form.End_Of_Letter_Timer->isActive() &&
                           form.End_Of_Letter_RadioButton->isChecked();
  };
  QTest::mouseClick(form.Play_Back_Input_Memo_BitBtn, Qt::LeftButton);
  EXPECT_TRUE(controls_during_play);
  EXPECT_EQ(sounds(), (std::vector<std::string>{"dot@0", "dash@110", "dot@640"}));
  EXPECT_TRUE(form.Play_Back_Input_Memo_BitBtn->isEnabled());
  EXPECT_TRUE(form.Play_Back_Output_Memo_BitBtn->isEnabled());  // whatever the gauge said
  EXPECT_FALSE(form.Halt_Playing_Sound_BitBtn->isEnabled());
  EXPECT_TRUE(form.End_Of_Letter_Timer->isActive());

  player.played.clear();
  start_ms = clock.elapsed_ms();
  player.while_playing = [&] {
    if (player.played.size() == 1)
      QTest::mouseClick(form.Halt_Playing_Sound_BitBtn, Qt::LeftButton);
  };
  form.Play_Back_Input_Memo_BitBtnClick();
  EXPECT_EQ(sounds(), (std::vector<std::string>{"dot@0"}));
  EXPECT_EQ(clock.elapsed_ms() - start_ms, 110);  // the dot's pause ran out
}

TEST_F(Main_Window_Sound, ADelayBoxWithoutANumberPacesWith25Milliseconds) {
  form.Dot_Dash_Playback_Delay_Millisec_SpinEdit->findChild<QLineEdit*>()->setText("");
  form.Input_Memo->setPlainText("..");
  form.Play_Back_Input_Memo_BitBtnClick();
  EXPECT_EQ(sounds(), (std::vector<std::string>{"dot@0", "dot@85"}));
}

TEST_F(Main_Window_Sound, KeyingWritesIntoTheLastLineAndFollowsTheLetterGap) {
  form.Input_Memo->setPlainText(QString("abc\n"));
  key(form.GroupBox1, Qt::LeftButton);
  key(form.Label17, Qt::RightButton);  // the labels key like the box itself
  EXPECT_EQ(form.Input_Memo->toPlainText(), "abc .-\n");
  EXPECT_TRUE(form.End_Of_Letter_RadioButton->isChecked());

  clock.advance(std::chrono::milliseconds(401));
  form.End_Of_Letter_TimerTimer();
  EXPECT_FALSE(form.End_Of_Letter_RadioButton->isChecked());
  key(form.Label1, Qt::LeftButton);
  key(form.GroupBox1, Qt::MiddleButton);
  EXPECT_EQ(form.Input_Memo->toPlainText(), "abc .- .\n");
  EXPECT_EQ(sounds(), (std::vector<std::string>{"dot@0", "dash@60", "dot@641"}));
  // The keyed text is Morse by now only if the whole area is.
  EXPECT_FALSE(form.Play_Back_Input_Memo_BitBtn->isEnabled());
}

TEST_F(Main_Window_Sound, KeyingKeepsEveryCharacterTheAlphabetCannotHold) {
  // English is selected: none of these is in its code page.
  const QString line = QString::fromUtf16(u"Привет мир Zoë ő ł A\u240AB\u241A");
  form.Input_Memo->setPlainText(line);
  key(form.GroupBox1, Qt::LeftButton);
  key(form.GroupBox1, Qt::RightButton);
  EXPECT_EQ(form.Input_Memo->toPlainText(), line + " .-");
}

TEST_F(Main_Window_Sound, ThePointerEnteringTheWindowOrTheKeyingBoxReadiesTheDevice) {
  EXPECT_EQ(player.readied, 0);  // not at start: the sound library loads when needed
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(form.client_area(), &enter);
  EXPECT_EQ(player.readied, 1);
  QCoreApplication::sendEvent(form.Label17, &enter);
  EXPECT_EQ(player.readied, 2);
  key(form.Label17, Qt::LeftButton);
  EXPECT_TRUE(player.played.at(0).at_once);  // a key's sound waits for no pacing
}

TEST_F(Main_Window_Sound, AQuickDoubleClickKeysTwiceAndLongLinesKeepEveryCharacter) {
  form.Input_Memo->setPlainText(QString(10000, u'.'));
  // As a widget gets a double click: the second press comes as a double click.
  const QPointF at(30, 30);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, form.GroupBox1->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(form.GroupBox1, &event);
  }
  const QString text = form.Input_Memo->toPlainText();
  EXPECT_EQ(text.size(), 10003);
  EXPECT_TRUE(text.endsWith(" .."));
}

TEST_F(Main_Window_Sound, AnActivationStartsANewLetter) {
  key(form.GroupBox1, Qt::LeftButton);
  form.FormActivate();
  key(form.GroupBox1, Qt::LeftButton);
  EXPECT_EQ(form.Input_Memo->toPlainText(), " . .\n");  // keying made the first line
}

TEST_F(Main_Window_Sound, OnlyAReturnFromTheProgramsOwnWindowsStartsANewLetter) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QEvent activation(QEvent::ActivationChange);
  key(form.GroupBox1, Qt::LeftButton);
  // Back from another program: the application turns active, then the window.
  emit qApp->applicationStateChanged(Qt::ApplicationActive);
  QCoreApplication::sendEvent(&form, &activation);
  key(form.GroupBox1, Qt::LeftButton);
  EXPECT_EQ(form.Input_Memo->toPlainText(), " ..\n");
  // Back from a dialog of the program.
  QCoreApplication::sendEvent(&form, &activation);
  key(form.GroupBox1, Qt::LeftButton);
  EXPECT_EQ(form.Input_Memo->toPlainText(), " .. .\n");
}

TEST_F(Main_Window_Sound, ChoosingASoundFileLoadsItAndRemembersItsFolder) {
  const auto folder = std::filesystem::temp_directory_path() / "tapwrenz-sound-choice";
  std::filesystem::create_directories(folder);
  const std::string chosen = (folder / "beep.wav").string();
  std::ofstream(chosen, std::ios::binary) << "RIFFbeep";

  QFileDialog* seen = nullptr;
  QWidget* completion_list = nullptr;
  form.sound_selection.run_dialog = [&](QFileDialog& dialog) -> std::optional<QString> {
    seen = &dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select \"Dash\" Sound :");
#ifdef _WIN32
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"WAVE Files (*.wav)", "All Files (*.*)"}));
#else
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"WAVE Files (*.wav)", "All Files (*)"}));
#endif
    EXPECT_EQ(dialog.directory().absolutePath() + "/",
              QCoreApplication::applicationDirPath() + "/");
    // The user typed part of a name: its completions are listed when the dialog closes.
    completion_list = name_box(dialog)->completer()->popup();
    completion_list->show();
    return QString::fromStdString(chosen);
  };
  form.Dash_Sound_Select_SpeedButtonClick();
  ASSERT_EQ(seen, &form.OpenDialog1->dialog());
  ASSERT_NE(completion_list, nullptr);
  EXPECT_FALSE(completion_list->isVisible());
  EXPECT_EQ(form.Dash_Sound_File_Name_Edit->text().toStdString(), chosen);
  EXPECT_EQ(std::string(form.Dash_Sound_Stream->begin(), form.Dash_Sound_Stream->end()),
            "RIFFbeep");
  EXPECT_EQ(form.Dot_Sound_Stream, dot);
  EXPECT_EQ(form.Last_Directory_Edit->text().toStdString(), folder.string() + kFolder_Separator);

  form.sound_selection.run_dialog = [&](QFileDialog& dialog) -> std::optional<QString> {
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), folder.generic_string());
    // The dot file lies in another folder: its whole path is offered, and Open takes it.
    EXPECT_EQ(name_box(dialog)->text(),
              QDir::toNativeSeparators(form.Dot_Sound_File_Name_Edit->text()));
    EXPECT_TRUE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->isEnabled());
    return std::nullopt;
  };
  const Sound_Image before = form.Dot_Sound_Stream;
  form.Dot_Sound_Select_SpeedButtonClick();
  EXPECT_EQ(form.Dot_Sound_Stream, before);
  std::filesystem::remove_all(folder);
}

TEST_F(Main_Window_Sound, SoundLoopRepeatsTheDotUntilStop) {
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  EXPECT_EQ(player.looping, dot);
  form.Dot_Sound_Stream = dash;  // a new dot meanwhile: the loop keeps its own bytes
  EXPECT_EQ(player.looping, dot);
  QTest::mouseClick(form.Button2, Qt::LeftButton);
  EXPECT_EQ(player.looping, nullptr);
  EXPECT_EQ(player.stops, 1);
}

}  // namespace
