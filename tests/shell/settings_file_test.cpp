#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_messages.h"

namespace fs = std::filesystem;

namespace {

// The window's values as plain fields; every setter call is logged by name.
class Fake_Settings_Window final : public Settings_Window {
 public:
  int top() override { return top_; }
  int left() override { return left_; }
  int width() override { return width_; }
  int height() override { return height_; }
  void set_top(int v) override { set("top", top_, v); }
  void set_left(int v) override { set("left", left_, v); }
  void set_width(int v) override { set("width", width_, v); }
  void set_height(int v) override { set("height", height_, v); }
  bool is_maximised() override { return maximised; }
  // A maximised window reports the screen's bounds until it is restored.
  void restore_from_maximised() override {
    calls.push_back("restore");
    maximised = false;
  }
  bool always_on_top() override { return on_top; }
  bool auto_run() override { return auto_run_; }
  void set_always_on_top(bool v) override { set("on_top", on_top, v); }
  void set_auto_run(bool v) override { set("auto_run", auto_run_, v); }
  int alphabet() override { return alphabet_; }
  int mouse_option() override { return mouse; }
  void set_alphabet(int v) override { set("alphabet", alphabet_, v); }
  void set_mouse_option(int v) override { set("mouse", mouse, v); }
  int letter_input_delay() override { return input_delay; }
  int letter_playback_delay() override { return playback_delay; }
  int dot_dash_playback_delay() override { return dot_dash_delay; }
  void set_letter_input_delay(int v) override { set("input_delay", input_delay, v); }
  void set_letter_playback_delay(int v) override { set("playback_delay", playback_delay, v); }
  void set_dot_dash_playback_delay(int v) override { set("dot_dash_delay", dot_dash_delay, v); }
  std::string dot_sound_file() override { return dot_file; }
  std::string dash_sound_file() override { return dash_file; }
  void set_dot_sound_file(const std::string& v) override { set("dot_file", dot_file, v); }
  void set_dash_sound_file(const std::string& v) override { set("dash_file", dash_file, v); }

  int top_ = -1, left_ = -1, width_ = -1, height_ = -1;
  bool maximised = false, on_top = false, auto_run_ = false;
  int alphabet_ = -9, mouse = -9, input_delay = -1, playback_delay = -1, dot_dash_delay = -1;
  std::string dot_file = "?", dash_file = "?";
  std::vector<std::string> calls;

  // Everything read, in the reading order, one text to compare.
  std::string state() const {
    std::string s;
    for (int v : {top_, left_, width_, height_, int(on_top), int(auto_run_), alphabet_, mouse,
                  input_delay, playback_delay, dot_dash_delay}) {
      s += std::to_string(v) + ",";
    }
    return s + dot_file + "," + dash_file;
  }

 private:
  template <class T>
  void set(const char* name, T& field, T value) {
    calls.push_back(name);
    field = value;
  }
};

class Settings_File_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / ("tapwrenz_settings_" + std::string(test->name()) + "_" +
                                       std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(dir);
    fs::create_directories(dir);
    folder = dir.string() + static_cast<char>(fs::path::preferred_separator);
    path = folder + "tapwrenz.ini";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  void put(const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string bytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static Fake_Settings_Window sample_window() {
    Fake_Settings_Window w;
    w.top_ = 120, w.left_ = -8, w.width_ = 700, w.height_ = 540;
    w.on_top = true, w.auto_run_ = false;
    w.alphabet_ = 3, w.mouse = 1;
    w.input_delay = 25, w.playback_delay = 10000, w.dot_dash_delay = 75;
    w.dot_file = "/snd/dot tone.wav", w.dash_file = "/snd/dash.wav";
    return w;
  }
  static constexpr const char* sample_bytes =
      "[tapwrenz]\r\n"
      "WindowState_wsMaximized=0\r\n"
      "window_top_posn=120\r\n"
      "window_left_posn=-8\r\n"
      "window_Width=700\r\n"
      "window_Height=540\r\n"
      "Always_on_Top_Option=1\r\n"
      "Auto_Run_at_Windows_Startup_Option=0\r\n"
      "Alphabet_RadioGroup=3\r\n"
      "Mouse_LMB_RMB_Option_RadioGroup=1\r\n"
      "Letter_Input_Delay_Millisec_SpinEdit=25\r\n"
      "Letter_Playback_Delay_Millisec_SpinEdit=10000\r\n"
      "Dot_Dash_Playback_Delay_Millisec_SpinEdit=75\r\n"
      "Dot_Sound_File_Name_Edit=/snd/dot tone.wav\r\n"
      "Dash_Sound_File_Name_Edit=/snd/dash.wav\r\n";

  fs::path dir;
  std::string folder, path;
  Fake_Messages messages;
};

TEST_F(Settings_File_Test, FirstStartTakesEveryDefaultInTheReadingOrder) {
  Fake_Settings_Window w;
  EXPECT_FALSE(read_settings(w, App_Folders::portable(folder)));
  const std::vector<std::string> order = {
      "top",      "left",  "width",       "height",         "on_top",         "auto_run",
      "alphabet", "mouse", "input_delay", "playback_delay", "dot_dash_delay", "dot_file",
      "dash_file"};
  EXPECT_EQ(w.calls, order);
  EXPECT_EQ(w.state(), "10,10,636,505,0,0,0,0,400,300,50," + folder + "Mores_Code_Dot_Tone.wav," +
                           folder + "Mores_Code_Dash_Tone.wav");
  EXPECT_FALSE(fs::exists(path)) << "reading creates nothing";
}

TEST_F(Settings_File_Test, SaveWritesAllKeysAndTheyRoundTripByteExact) {
  Fake_Settings_Window w = sample_window();
  ASSERT_TRUE(Save_Settings(w, messages, App_Folders::portable(folder)));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(bytes(), sample_bytes);

  Fake_Settings_Window back;
  EXPECT_FALSE(read_settings(back, App_Folders::portable(folder)));
  EXPECT_EQ(back.state(), w.state());
  ASSERT_TRUE(Save_Settings(back, messages, App_Folders::portable(folder)));
  EXPECT_EQ(bytes(), sample_bytes);
}

TEST_F(Settings_File_Test, MaximisedIsWrittenFirstWithTheRestoredBounds) {
  Fake_Settings_Window w = sample_window();
  w.maximised = true;
  ASSERT_TRUE(Save_Settings(w, messages, App_Folders::portable(folder)));
  EXPECT_EQ(w.calls, std::vector<std::string>{"restore"});
  std::string expected = sample_bytes;
  expected.replace(expected.find("Maximized=0"), 11, "Maximized=1");
  EXPECT_EQ(bytes(), expected);

  Fake_Settings_Window back;
  EXPECT_TRUE(read_settings(back, App_Folders::portable(folder)));
  EXPECT_FALSE(back.maximised) << "only reported, not applied";
  EXPECT_EQ(back.width_, 700);
}

TEST_F(Settings_File_Test, OutOfRangeAndMalformedValuesAreBroughtBack) {
  put("; edited by hand\r\n"
      "[TAPWRENZ]\r\n"
      "letter_input_delay_millisec_spinedit=5\r\n"
      "Letter_Playback_Delay_Millisec_SpinEdit=20000\r\n"
      "Dot_Dash_Playback_Delay_Millisec_SpinEdit=abc\r\n"
      "Alphabet_RadioGroup=7\r\n"
      "Mouse_LMB_RMB_Option_RadioGroup=-5\r\n"
      "Always_on_Top_Option=2\r\n"
      "Auto_Run_at_Windows_Startup_Option=yes\r\n"
      "WindowState_wsMaximized=0x10\r\n"
      "window_Width=0x280\r\n"
      "window_Height=12abc\r\n"
      "Dot_Sound_File_Name_Edit=\r\n");
  Fake_Settings_Window w;
  EXPECT_TRUE(read_settings(w, App_Folders::portable(folder)));
  EXPECT_EQ(w.state(),
            "10,10,640,505,1,0,3,-1,25,10000,50,," + folder + "Mores_Code_Dash_Tone.wav");
  ASSERT_TRUE(Save_Settings(w, messages, App_Folders::portable(folder)));
  EXPECT_NE(bytes().find("\r\nAlways_on_Top_Option=1\r\n"), std::string::npos);

  put("[tapwrenz]\r\nAlphabet_RadioGroup=-5\r\nMouse_LMB_RMB_Option_RadioGroup=9\r\n");
  read_settings(w, App_Folders::portable(folder));
  EXPECT_EQ(w.alphabet_, -1);
  EXPECT_EQ(w.mouse, 1);
}

TEST_F(Settings_File_Test, AnInstalledProgramReadsTonesFromItsDataAndMakesItsSettingsFolder) {
  App_Folders installed;
  installed.data = "/usr/share/tapwrenz/";
  installed.settings = folder + "config/tapwrenz/";
  installed.installed = true;
  Fake_Settings_Window w;
  read_settings(w, installed);
  EXPECT_EQ(w.dot_file, "/usr/share/tapwrenz/Mores_Code_Dot_Tone.wav");
  EXPECT_EQ(w.dash_file, "/usr/share/tapwrenz/Mores_Code_Dash_Tone.wav");

  ASSERT_TRUE(Save_Settings(w, messages, installed));
  std::ifstream in(installed.settings_file(), std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written.rfind("[tapwrenz]\r\nWindowState_wsMaximized=0\r\n", 0), 0u);
#ifndef _WIN32
  EXPECT_EQ(fs::status(installed.settings).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
  EXPECT_FALSE(fs::exists(path)) << "nothing beside a binary";
}

TEST_F(Settings_File_Test, AFailedWriteStopsTheSaveReportsOnceAndKeepsWhatWasThere) {
  Fake_Settings_Window w = sample_window();
  w.maximised = true;
  const std::string missing = folder + "gone" + static_cast<char>(fs::path::preferred_separator);
  EXPECT_FALSE(Save_Settings(w, messages, App_Folders::portable(missing)));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Unable to write to " + missing + "tapwrenz.ini");
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Error);
  EXPECT_EQ(messages.shown[0].buttons, Message_Buttons::Ok);
  EXPECT_TRUE(w.maximised) << "nothing after the failed key";

  // A name the file cannot hold fails at the dot sound: the keys before it are
  // on disk, the dash sound is not written.
  messages.shown.clear();
  put(sample_bytes);
  Fake_Settings_Window changed = sample_window();
  changed.top_ = 1;
  changed.dot_file = "bad\nname.wav";
  changed.dash_file = "/other/dash.wav";
  EXPECT_FALSE(Save_Settings(changed, messages, App_Folders::portable(folder)));
  EXPECT_EQ(messages.shown.size(), 1u);
  std::string expected = sample_bytes;
  expected.replace(expected.find("posn=120"), 8, "posn=1");
  EXPECT_EQ(bytes(), expected);
}

}  // namespace
