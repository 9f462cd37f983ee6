#include "sound/sound_selection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_audio_player.h"
#include "fakes/fake_clock.h"

namespace fs = std::filesystem;

namespace {

// Writes paths with '/' and gives them with the native separator.
std::string native(std::string path) {
  for (char& c : path) {
    if (c == '/') c = kFolder_Separator;
  }
  return path;
}

Sound_Image bytes(const std::string& text) {
  return std::make_shared<const std::vector<unsigned char>>(text.begin(), text.end());
}

std::string text_of(const Sound_Image& image) {
  return image ? std::string(image->begin(), image->end()) : "<null>";
}

class Fake_Window final : public Sound_Selection_Window {
 public:
  std::string sound_file_name(int selector) const override { return names.at(selector); }
  void set_sound_file_name(int selector, const std::string& name) override {
    names.at(selector) = name;
  }
  void set_sound_image(int selector, Sound_Image image) override {
    images.at(selector) = std::move(image);
  }
  Sound_Image dot_sound() const override { return images[1]; }
  std::string last_directory() const override { return last_dir; }
  void set_last_directory(const std::string& folder) override { last_dir = folder; }
  std::string data_folder() const override { return exe_folder; }
  bool folder_exists(const std::string& path) const override { return fs::is_directory(path); }
  bool file_exists(const std::string& path) const override {
    return fs::is_regular_file(path) || pretend_files.count(path) > 0;
  }
  std::string dialog_file_name() const override { return dialog_name; }
  std::optional<std::string> choose_file(const Open_Dialog_Request& request) override {
    requests.push_back(request);
    dialog_name = request.initial_file;
    if (answer) dialog_name = *answer;
    return answer;
  }
  void show_error(const std::string& text) override { errors.push_back(text); }
  Audio_Player& player() override { return audio; }

  std::vector<std::string> names{"", "", ""};
  std::vector<Sound_Image> images{nullptr, bytes("DOT"), bytes("DASH")};
  std::string last_dir = "Last_Directory_Edit";  // the hidden box's text at start-up
  std::string exe_folder;
  std::string dialog_name;
  std::set<std::string> pretend_files;  // exist for the checks but cannot be opened
  std::optional<std::string> answer;    // what the user picks; nothing = Cancel
  std::vector<Open_Dialog_Request> requests;
  std::vector<std::string> errors;
  Fake_Clock clock;
  Fake_Audio_Player audio{clock};
};

// A program folder with the two default sounds and another folder of sounds,
// in a fresh temporary folder.
class Sound_Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tapwrenz_select_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "program");
    fs::create_directories(root_ / "other");
    exe = folder("program");
    other = folder("other");
    write(exe + "dot.wav", "DOT");
    write(exe + "dash.wav", "DASH");
    write(other + "new.wav", "NEW");
    write(other + "empty.wav", "");
    w.exe_folder = exe;
    w.names = {"", exe + "dot.wav", exe + "dash.wav"};
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string folder(const char* name) const { return (root_ / name).string() + kFolder_Separator; }
  static void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  fs::path root_;
  std::string exe, other;
  Fake_Window w;
};

}  // namespace

TEST(Tidy_Directory_Path, EndsWithOneSeparatorAndNoRuns) {
  const std::string folder = native("/data/sounds/");
  EXPECT_EQ(Tidy_Directory_Path(native("/data/sounds")), folder);
  EXPECT_EQ(Tidy_Directory_Path(folder), folder);
  EXPECT_EQ(Tidy_Directory_Path(native(" /data/sounds// ")), folder);
  EXPECT_EQ(Tidy_Directory_Path(native("\t/data/sounds\r\n")), folder);
  EXPECT_EQ(Tidy_Directory_Path(native("//data/sounds")), folder);
  EXPECT_EQ(Tidy_Directory_Path(native("/data////sounds/////")), folder);
  EXPECT_EQ(Tidy_Directory_Path("Last_Directory_Edit"), native("Last_Directory_Edit/"));
}

TEST(Tidy_Directory_Path, SpecialNamesGiveEmptyOnlyBeforeTrimming) {
  for (const char* s : {"", "/", "..", ".", "./", "../"}) {
    EXPECT_EQ(Tidy_Directory_Path(native(s)), "") << s;
  }
  // Spaces make them ordinary names: the comparison comes before the trim.
  EXPECT_EQ(Tidy_Directory_Path(" .."), native("../"));
  EXPECT_EQ(Tidy_Directory_Path("   "), native("/"));
}

TEST_F(Sound_Selection, FirstDialogOpensInProgramFolderWithTheCurrentFile) {
  Select_Load_Dot_Dash_Sound_Effect(1, w);
  ASSERT_EQ(w.requests.size(), 1u);
  EXPECT_EQ(w.requests[0].title, "Select \"Dot\" Sound :");
  EXPECT_EQ(w.requests[0].filter, "WAVE Files (*.wav)|*.wav|All Files (*.*)|*.*");
  EXPECT_EQ(w.requests[0].initial_folder, exe);
  EXPECT_EQ(w.requests[0].initial_file, exe + "dot.wav");
  // Cancelled: only the remembered folder's text was tidied.
  EXPECT_EQ(w.last_dir, native("Last_Directory_Edit/"));
  EXPECT_EQ(w.names[1], exe + "dot.wav");
  EXPECT_EQ(text_of(w.images[1]), "DOT");

  w.names[2] = exe + "gone.wav";
  Select_Load_Dot_Dash_Sound_Effect(2, w);
  EXPECT_EQ(w.requests[1].title, "Select \"Dash\" Sound :");
  EXPECT_EQ(w.requests[1].initial_file, "");
  EXPECT_EQ(w.names[2], exe + "gone.wav");
}

TEST_F(Sound_Selection, ChosenFileLoadsAndItsFolderOpensNextTime) {
  w.answer = other + "new.wav";
  Select_Load_Dot_Dash_Sound_Effect(1, w);
  EXPECT_EQ(w.names[1], other + "new.wav");
  EXPECT_EQ(text_of(w.images[1]), "NEW");
  EXPECT_EQ(w.last_dir, other);

  // The dash selection opens there and leaves the dot alone.
  w.answer = other + "empty.wav";
  Select_Load_Dot_Dash_Sound_Effect(2, w);
  EXPECT_EQ(w.requests[1].initial_folder, other);
  EXPECT_EQ(w.requests[1].initial_file, exe + "dash.wav");
  EXPECT_EQ(w.names[2], other + "empty.wav");
  ASSERT_NE(w.images[2], nullptr);  // an empty file is an empty sound, not a failure
  EXPECT_TRUE(w.images[2]->empty());
  EXPECT_EQ(w.names[1], other + "new.wav");
  EXPECT_EQ(text_of(w.images[1]), "NEW");
  EXPECT_TRUE(w.errors.empty());

  // A remembered folder that has gone falls back to the program's folder.
  fs::remove_all(root_ / "other");
  w.answer.reset();
  Select_Load_Dot_Dash_Sound_Effect(1, w);
  EXPECT_EQ(w.requests[2].initial_folder, exe);
  EXPECT_EQ(w.requests[2].initial_file, "");
}

TEST_F(Sound_Selection, UnreadableOrVanishedChoiceKeepsStreamAndFolder) {
  const std::string locked = other + "locked.wav";
  w.pretend_files.insert(locked);
  w.answer = locked;
  Select_Load_Dot_Dash_Sound_Effect(1, w);
  ASSERT_EQ(w.errors.size(), 1u);
  EXPECT_EQ(w.errors[0].rfind("Cannot open file \"" + locked + "\". ", 0), 0u) << w.errors[0];
  EXPECT_EQ(w.names[1], locked);
  EXPECT_EQ(text_of(w.images[1]), "DOT");
  EXPECT_EQ(w.last_dir, native("Last_Directory_Edit/"));

  // Gone before the dialog closed: nothing at all changes.
  w.answer = other + "gone.wav";
  Select_Load_Dot_Dash_Sound_Effect(2, w);
  EXPECT_EQ(w.names[2], exe + "dash.wav");
  EXPECT_EQ(text_of(w.images[2]), "DASH");
  EXPECT_EQ(w.errors.size(), 1u);

  // A folder opens as a file would, but reading it fails: no empty sound.
  const std::string folder_choice = other + "folder.wav";
  fs::create_directory(folder_choice);
  w.pretend_files.insert(folder_choice);
  w.answer = folder_choice;
  Select_Load_Dot_Dash_Sound_Effect(2, w);
  ASSERT_EQ(w.errors.size(), 2u);
  EXPECT_EQ(w.errors[1].rfind("Cannot open file \"" + folder_choice + "\". ", 0), 0u)
      << w.errors[1];
  EXPECT_EQ(text_of(w.images[2]), "DASH");
}

TEST_F(Sound_Selection, OutOfRangeSelectorLoadsNothingButMovesTheFolder) {
  w.dialog_name = other + "new.wav";  // left in the dialog by an earlier use
  w.answer = other + "new.wav";
  Select_Load_Dot_Dash_Sound_Effect(3, w);
  EXPECT_EQ(w.requests[0].title,
            "ERROR: Select_Load_Dot_Dash_Sound_Effect - Parameter Out of Range");
  EXPECT_EQ(w.requests[0].initial_file, other + "new.wav");
  EXPECT_EQ(w.names, (std::vector<std::string>{"", exe + "dot.wav", exe + "dash.wav"}));
  EXPECT_EQ(text_of(w.images[1]), "DOT");
  EXPECT_EQ(text_of(w.images[2]), "DASH");
  EXPECT_EQ(w.last_dir, other);

  w.dialog_name = other + "gone.wav";
  w.answer.reset();
  Select_Load_Dot_Dash_Sound_Effect(0, w);
  EXPECT_EQ(w.requests[1].initial_file, "");
}

TEST_F(Sound_Selection, LoopKeepsItsBytesWhenTheDotIsReplacedAndStopEndsIt) {
  const Sound_Image first = w.images[1];
  w.audio.know(first, "dot");
  start_dot_loop(w);
  ASSERT_EQ(w.audio.played.size(), 1u);
  EXPECT_TRUE(w.audio.played[0].loop);

  w.answer = other + "new.wav";
  Select_Load_Dot_Dash_Sound_Effect(1, w);
  EXPECT_EQ(w.audio.played.size(), 1u);  // a selection does not play
  EXPECT_EQ(text_of(w.audio.looping), "DOT");

  stop_all_sounds(w);
  EXPECT_EQ(w.audio.looping, nullptr);
  EXPECT_EQ(w.audio.stops, 1);

  // No dot sound: the player refuses it and nobody is told.
  w.images[1] = nullptr;
  start_dot_loop(w);
  EXPECT_EQ(w.audio.looping, nullptr);
  EXPECT_TRUE(w.errors.empty());
}

TEST(Dialog_Name_Filters, PairsBecomeTextWithPattern) {
  EXPECT_EQ(dialog_name_filters("WAVE Files (*.wav)|*.wav|All Files (*.*)|*.*"),
            (std::vector<std::string>{"WAVE Files (*.wav)", "All Files (*.*)"}));
  EXPECT_EQ(dialog_name_filters("Sounds|*.wav|Any"),
            (std::vector<std::string>{"Sounds (*.wav)", "Any"}));
  EXPECT_TRUE(dialog_name_filters("").empty());
}
