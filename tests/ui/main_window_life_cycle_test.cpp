// The window's life from its first showing to its close, against a folder of
// its own that stands for the executable's: settings, sounds, captions,
// close during a playback, factory defaults, the Help viewers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

#include "shell/message_box.h"
#include "ui/window_in_folder.h"

namespace {

namespace fs = std::filesystem;

class Main_Window_Life_Cycle : public Window_In_Folder {
 protected:
  void write_ini(const std::string& lines) { write_file(ini(), "[tapwrenz]\r\n" + lines); }
  std::string read_ini() const { return read_file(ini()); }
  bool has_line(const std::string& line) const {
    return ("\n" + read_ini()).find("\n" + line + "\r\n") != std::string::npos;
  }
};

TEST_F(Main_Window_Life_Cycle, AFirstStartTakesTheDefaultsAndTheCloseWritesAllFourteenKeys) {
  auto form = make_form();
  form->show();
  EXPECT_EQ(form->frameGeometry(), QRect(10, 10, 636, 505));
  EXPECT_EQ(form->windowTitle(), "Tapwren v2.0f");
  EXPECT_EQ(form->Alphabet_RadioGroup->itemIndex(), 0);
  EXPECT_EQ(form->Letter_Input_Delay_Millisec_SpinEdit->value(), 400);
  EXPECT_EQ(form->Dot_Sound_File_Name_Edit->text().toStdString(),
            folder() + "Mores_Code_Dot_Tone.wav");
  EXPECT_GT(form->Dash_Sound_Stream->size(), 44u);
  EXPECT_FALSE(form->Convert_Text_to_Morse_Button->isEnabled());
  EXPECT_TRUE(messages.shown.empty());

  QTest::mouseClick(form->Exit_BitBtn, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(read_ini(),
            "[tapwrenz]\r\nWindowState_wsMaximized=0\r\nwindow_top_posn=10\r\n"
            "window_left_posn=10\r\nwindow_Width=636\r\nwindow_Height=505\r\n"
            "Always_on_Top_Option=0\r\nAuto_Run_at_Windows_Startup_Option=0\r\n"
            "Alphabet_RadioGroup=0\r\nMouse_LMB_RMB_Option_RadioGroup=0\r\n"
            "Letter_Input_Delay_Millisec_SpinEdit=400\r\n"
            "Letter_Playback_Delay_Millisec_SpinEdit=300\r\n"
            "Dot_Dash_Playback_Delay_Millisec_SpinEdit=50\r\n"
            "Dot_Sound_File_Name_Edit=" +
                folder() + "Mores_Code_Dot_Tone.wav\r\nDash_Sound_File_Name_Edit=" + folder() +
                "Mores_Code_Dash_Tone.wav\r\n");
}

// What the first frame does not need (the dialogs) comes after it, and a
// dialog made then still gets the captions of the start.
TEST_F(Main_Window_Life_Cycle, WorkLeftForAfterTheFirstFrameWaitsForIt) {
  auto form = make_form();
  std::vector<std::string> done;
  form->after_first_frame([&] { done.push_back("first"); });
  QCoreApplication::processEvents();
  EXPECT_TRUE(done.empty());
  form->show();
  EXPECT_TRUE(done.empty());
  for (int turn = 0; turn < 10 && done.empty(); ++turn) QCoreApplication::processEvents();
  EXPECT_EQ(done, std::vector<std::string>{"first"});
  form->after_first_frame([&] { done.push_back("later"); });
  QCoreApplication::processEvents();
  EXPECT_EQ(done, (std::vector<std::string>{"first", "later"}));

  TAboutBox about(form->memory_meter(), form->processes(), {}, form.get());
  form->set_about_box(&about);
  EXPECT_EQ(about.windowTitle(), "About Tapwren v2.0f ...");
  EXPECT_EQ(about.Product_Name_Label->text(), "Tapwren v2.0f");
}

// The window makes its dialogs itself right after its first frame; one
// wanted before then is made at once and not made again.
TEST_F(Main_Window_Life_Cycle, TheDialogsAreMadeAfterTheFirstFrameOrWhenWantedBefore) {
  auto form = make_form();
  const auto count = [&] {
    return std::pair(form->findChildren<TAboutBox*>().size(),
                     form->findChildren<TResults_Form*>().size());
  };
  form->results_form();
  EXPECT_EQ(count(), std::pair(qsizetype{0}, qsizetype{1}));
  form->show();
  EXPECT_EQ(count().first, 0);
  for (int turn = 0; turn < 10 && count().first == 0; ++turn) QCoreApplication::processEvents();
  EXPECT_EQ(count(), std::pair(qsizetype{1}, qsizetype{1}));
  EXPECT_EQ(form->about_box().windowTitle(), "About Tapwren v2.0f ...");
}

TEST_F(Main_Window_Life_Cycle, SavedStatesComeBackAtTheNextStart) {
  write_ini(
      "WindowState_wsMaximized=1\r\nwindow_top_posn=40\r\nwindow_left_posn=30\r\n"
      "Always_on_Top_Option=2\r\nAuto_Run_at_Windows_Startup_Option=1\r\n"
      "Alphabet_RadioGroup=7\r\nLetter_Input_Delay_Millisec_SpinEdit=abc\r\n");
  auto form = make_form();
  form->show();
  EXPECT_TRUE(form->isMaximized());
  EXPECT_TRUE(form->Always_On_Top_Option->isChecked());
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  // No start-up entry in the registry: the registry decides, not the file.
  EXPECT_FALSE(form->Auto_Run_at_Windows_Startup_Option->isChecked());
  EXPECT_EQ(form->Alphabet_RadioGroup->itemIndex(), 3);
  EXPECT_EQ(form->Letter_Input_Delay_Millisec_SpinEdit->value(), 400);
  // The Russian note comes once, from the table build, not from the setting.
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "N.B. The Russian Morse Codes have not been double checked yet.");

  form->close();  // maximised: the normal bounds are written with the state
  const std::string saved = read_ini();
  EXPECT_NE(
      saved.find("WindowState_wsMaximized=1\r\nwindow_top_posn=40\r\nwindow_left_posn=30\r\n"),
      std::string::npos);
  EXPECT_NE(saved.find("Always_on_Top_Option=1\r\n"), std::string::npos);
}

// A window maximised after it was shown normally: the close still writes the
// normal bounds, not the maximised ones, and the flag.
TEST_F(Main_Window_Life_Cycle, BoundsOffEveryScreenComeBackAndAMaximisedCloseSavesTheNormalOnes) {
  write_ini("window_top_posn=3000\r\nwindow_left_posn=3000\r\nwindow_Width=500\r\n");
  auto form = make_form();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  const QPoint corner = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
  EXPECT_EQ(form->frameGeometry(), QRect(corner + QPoint(10, 10), QSize(500, 505)));

  form->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry().width() != 500; }));
  form->close();
  const std::string saved = read_ini();
  for (const std::string& line :
       {std::string("WindowState_wsMaximized=1"),
        "window_top_posn=" + std::to_string(corner.y() + 10),
        "window_left_posn=" + std::to_string(corner.x() + 10), std::string("window_Width=500"),
        std::string("window_Height=505")}) {
    EXPECT_NE(saved.find(line + "\r\n"), std::string::npos) << line << " in\n" << saved;
  }
}

// Factory defaults from a maximised window: the file goes, and the window
// comes back normal at the first start's bounds.
TEST_F(Main_Window_Life_Cycle, FactoryDefaultsFromAMaximisedWindowRestoreTheFirstStartsBounds) {
  write_ini(
      "WindowState_wsMaximized=1\r\nwindow_top_posn=40\r\nwindow_left_posn=30\r\n"
      "window_Width=500\r\nwindow_Height=400\r\n");
  auto form = make_form();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  ASSERT_TRUE(form->isMaximized());
  messages.answers = {Message_Answer::Yes};
  form->Restore_Factory_Defaults_Option->trigger();
  EXPECT_FALSE(fs::exists(ini()));
  // The window system's answers to the restore come in before anything else.
  QCoreApplication::processEvents();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isMaximized(); }));
  const QPoint corner = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
  (void)QTest::qWaitFor(
      [&] { return form->frameGeometry() == QRect(corner + QPoint(10, 10), QSize(636, 505)); });
  ASSERT_EQ(form->frameGeometry(), QRect(corner + QPoint(10, 10), QSize(636, 505)));
  // Maximised again, the window keeps these as its normal bounds.
  form->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry().width() != 636; }));
  form->close();
  for (const std::string& line :
       {std::string("WindowState_wsMaximized=1"),
        "window_top_posn=" + std::to_string(corner.y() + 10),
        "window_left_posn=" + std::to_string(corner.x() + 10), std::string("window_Width=636"),
        std::string("window_Height=505")})
    EXPECT_TRUE(has_line(line)) << line << " in\n" << read_ini();
}

// Two closes in one run: the second save writes where the window is then.
TEST_F(Main_Window_Life_Cycle, ASecondCloseInOneRunSavesTheNewBounds) {
  write_ini("window_top_posn=40\r\nwindow_left_posn=30\r\n");
  auto form = make_form();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  form->showMaximized();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->isMaximized(); }));
  form->close();
  for (const char* line :
       {"WindowState_wsMaximized=1", "window_top_posn=40", "window_left_posn=30"})
    ASSERT_TRUE(has_line(line)) << line << " in\n" << read_ini();

  form->show();
  form->showNormal();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isMaximized(); }));
  form->move(120, 90);
  (void)QTest::qWaitFor([&] { return form->frameGeometry().topLeft() == QPoint(120, 90); });
  ASSERT_EQ(form->frameGeometry().topLeft(), QPoint(120, 90));
  form->close();
  for (const char* line : {"WindowState_wsMaximized=0", "window_top_posn=90",
                           "window_left_posn=120", "window_Width=636", "window_Height=505"})
    EXPECT_TRUE(has_line(line)) << line << " in\n" << read_ini();
}

TEST_F(Main_Window_Life_Cycle, AMissingSoundFileIsReportedOnceAndTheStartGoesOn) {
  write_ini("Dot_Sound_File_Name_Edit=" + folder() + "gone.wav\r\n");
  auto form = make_form();
  form->show();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Error);
  EXPECT_NE(messages.shown[0].text.find("gone.wav"), std::string::npos);
  EXPECT_EQ(form->windowTitle(), "Tapwren v2.0f");
  EXPECT_EQ(form->Morse_Code_Table['A'].Morse_Code, ".-");
  EXPECT_TRUE(form->Dot_Sound_Stream->empty());
  EXPECT_GT(form->Dash_Sound_Stream->size(), 44u);
}

TEST_F(Main_Window_Life_Cycle, ClosingDuringAPlaybackStopsItAndSavesTheSettings) {
  auto form = make_form();
  form->show();
  player.know(form->Dot_Sound_Stream, "dot", std::chrono::milliseconds(60));
  form->Input_Memo->setPlainText(". . . .");
  player.while_playing = [&] {
    if (player.played.size() == 2) form->close();
  };
  form->Play_Back_Input_Memo_BitBtnClick();
  EXPECT_EQ(player.played.size(), 2u);  // nothing sounds after the close request
  EXPECT_TRUE(fs::exists(ini()));
}

TEST_F(Main_Window_Life_Cycle, RestoringFactoryDefaultsAsksThenDeletesEvenAReadOnlyFile) {
  write_ini("Letter_Playback_Delay_Millisec_SpinEdit=900\r\n");
  fs::permissions(ini(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  auto form = make_form();
  form->show();
  ASSERT_EQ(form->Letter_Playback_Delay_Millisec_SpinEdit->value(), 900);

  messages.answers = {Message_Answer::No};
  form->Restore_Factory_Defaults_Option->trigger();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Warning);
  EXPECT_EQ(messages.shown[0].buttons, Message_Buttons::Yes_No);
  EXPECT_NE(messages.shown[0].text.find(".\n\nDo you want"), std::string::npos);
  EXPECT_TRUE(fs::exists(ini()));

  form->Input_Memo->setPlainText("text");
  messages.answers = {Message_Answer::Yes};
  form->Restore_Factory_Defaults_Option->trigger();
  EXPECT_FALSE(fs::exists(ini()));
  EXPECT_EQ(form->Letter_Playback_Delay_Millisec_SpinEdit->value(), 300);
  EXPECT_TRUE(form->Input_Memo->toPlainText().isEmpty());
}

TEST_F(Main_Window_Life_Cycle, HelpOpensTheReadmeAndTheCatalogInTheTextViewer) {
  std::ofstream(folder() + "catalog.txt") << "catalog";
  processes.editor_path = folder() + "Mores_Code_Dot_Tone.wav";  // any file that exists
  auto form = make_form();
  form->show();
  form->View_Shareware_Catalog_Option->trigger();
  form->View_Readme_file_Option->trigger();
  ASSERT_EQ(processes.edited_files.size(), 2u);
  EXPECT_EQ(processes.edited_files[0], folder() + "catalog.txt");
  EXPECT_EQ(processes.edited_files[1], folder() + "test_ui.txt");
  EXPECT_TRUE(messages.shown.empty());
}

// A viewer or link opener that is missing is named in a box; one that starts
// and then gives up (on its own thread) is told in a box a turn later.
TEST_F(Main_Window_Life_Cycle, AMissingOrFailingOpenerIsToldInABox) {
  processes.editor_path = folder() + "Mores_Code_Dot_Tone.wav";  // any file that exists
  auto form = make_form();
  form->show();
  const auto texts = [&] {
    std::vector<std::string> t;
    for (const Shown_Message& m : messages.shown) t.push_back(m.text);
    messages.shown.clear();
    return t;
  };
  const std::string reason = "xdg-open found no program to open it with (exit status 3)";
  form->View_Readme_file_Option->trigger();
  std::thread([&] { processes.fail_last(reason); }).join();
  EXPECT_TRUE(messages.shown.empty());
  (void)QTest::qWaitFor([&] { return messages.shown.size() == size_t{1}; });
  ASSERT_EQ(messages.shown.size(), size_t{1});
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Error);
  EXPECT_EQ(texts(), std::vector<std::string>{"The file " + folder() +
                                              "test_ui.txt could not be opened: " + reason + "."});

  TAboutBox& about = form->about_box();
  about.WEB_ButtonClick();
  std::thread([&] { processes.fail_last(reason); }).join();
  (void)QTest::qWaitFor([&] { return messages.shown.size() == size_t{1}; });
  ASSERT_EQ(messages.shown.size(), size_t{1});
  EXPECT_EQ(texts(), std::vector<std::string>{"The address " + processes.opened_urls.back() +
                                              " could not be opened: " + reason + "."});
  processes.start_result = false;
  about.Email_ButtonClick();
  (void)QTest::qWaitFor([&] { return messages.shown.size() == size_t{1}; });
  ASSERT_EQ(messages.shown.size(), size_t{1});
  EXPECT_EQ(texts(), std::vector<std::string>{"xdg-open could not be found."});
  // Where a failed open goes unreported, nothing is said.
  processes.opener_name.clear();
  about.WEB_ButtonClick();
  QCoreApplication::processEvents();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Main_Window_Life_Cycle, ShortcutsAreMadeInANewHomeFolderAndDeletedAgain) {
#ifdef _WIN32
  GTEST_SKIP() << "the desktop's launcher files; Windows makes shell links, tested with the "
                  "platform and under Wine end to end";
#endif
  // The system's registry layer, pointed at a home folder of this test in
  // which none of the shortcut folders exists yet.
  const QByteArray home = qgetenv("HOME");
  const QByteArray data = qgetenv("XDG_DATA_HOME");
  const QByteArray config = qgetenv("XDG_CONFIG_HOME");
  const QByteArray data_dirs = qgetenv("XDG_DATA_DIRS");
  qputenv("HOME", temp.path().toUtf8());
  qputenv("XDG_DATA_DIRS", (temp.path() + "/system").toUtf8());
  qputenv("XDG_DATA_HOME", (temp.path() + "/share").toUtf8());
  qputenv("XDG_CONFIG_HOME", (temp.path() + "/config").toUtf8());

  Window_Services services;
  services.player = &player;
  services.portable_folder = folder();
  TMainForm1 form(messages, services);
  form.show();
  form.Create_Shortcut_on_Desktop_Option->trigger();
  form.Create_Shortcut_on_Desktop_Option->trigger();  // a second time replaces the first
  form.Create_Shortcut_on_Start_Menu_Option->trigger();
  form.Create_Shortcut_on_Start_Programs_Menu_Option->trigger();
  form.Create_Shortcut_on_SendTo_Menu_Option->trigger();
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
  EXPECT_TRUE(fs::exists(folder() + "Desktop/test_ui.desktop"));
  EXPECT_TRUE(fs::exists(folder() + "share/applications/test_ui-shortcut.desktop"));
  EXPECT_TRUE(fs::exists(folder() + "share/applications/Programs/test_ui-shortcut.desktop"));
  // The file manager runs what is in its scripts folder with the chosen files.
  const std::string send_to = folder() + "share/nautilus/scripts/test_ui";
  EXPECT_EQ(fs::status(send_to).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);

  form.Delete_All_Shortcuts_Option->trigger();
  EXPECT_FALSE(fs::exists(folder() + "Desktop/test_ui.desktop"));
  EXPECT_FALSE(fs::exists(folder() + "share/applications/test_ui-shortcut.desktop"));
  EXPECT_FALSE(fs::exists(send_to));
  // "Delete ALL" leaves the Programs sub-folder alone.
  EXPECT_TRUE(fs::exists(folder() + "share/applications/Programs/test_ui-shortcut.desktop"));
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().text.rfind("Success: All Desktop, Start Menu, and SendTo", 0),
            0u);

  qputenv("HOME", home);
  qputenv("XDG_DATA_HOME", data);
  qputenv("XDG_CONFIG_HOME", config);
  qputenv("XDG_DATA_DIRS", data_dirs);
}

TEST_F(Main_Window_Life_Cycle, MessageBoxesShowTheirTextAsItIs) {
  Message_Boxes boxes;
  const std::string text = "Unable to write to /home/u/<i>old</i> <u>files</u>/tapwrenz.ini";
  QString shown;
  Qt::TextFormat format = Qt::AutoText;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      shown = box->text();
      format = box->textFormat();
      box->accept();
    }
  });
  boxes.show(text, Message_Icon::Error, Message_Buttons::Ok);
  EXPECT_EQ(shown.toStdString(), text);
  EXPECT_EQ(format, Qt::PlainText);
}

}  // namespace
