#include "shell/text_viewers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_messages.h"
#include "fakes/fake_processes.h"

namespace {

using Strings = std::vector<std::string>;

const std::string folder = "/opt/my programs/Tapwren/";
const std::string editor = "/usr/bin/xdg-open";
const std::string no_editor = "xdg-open could not be found.";
const std::string missing_catalog =
    "Pelko's Shareware Catalog is not in the same directory as Tapwren v2.0f.  The required "
    "file 'catalog.txt' was included in the distribution ZIP file.  Please unzip this file and "
    "try again.";

class Text_Viewers_Test : public ::testing::Test {
 protected:
  Text_Viewer_Services services(const std::string& exe_name = "tapwrenz") {
    return {
        .processes = processes,
        .messages = messages,
        .data_folder = folder,
        .executable_file_name = exe_name,
        .file_exists =
            [this](const std::string& path) {
              asked.push_back(path);
              return existing.count(path) != 0;
            },
        .on_window_thread = [this](std::function<void()> job) { later.push_back(std::move(job)); }};
  }
  // The texts of the boxes shown since the last call; each an information box with OK.
  Strings boxes() {
    Strings texts;
    for (const Shown_Message& m : messages.shown) {
      EXPECT_EQ(m.icon, Message_Icon::Information);
      EXPECT_EQ(m.buttons, Message_Buttons::Ok);
      texts.push_back(m.text);
    }
    messages.shown.clear();
    return texts;
  }

  Fake_Processes processes;
  Fake_Messages messages;
  std::set<std::string> existing{editor};
  Strings asked;
  // Jobs handed to the window's thread, run when the test says.
  std::vector<std::function<void()>> later;
};

TEST_F(Text_Viewers_Test, ReadmeIsNamedAfterTheExecutableUpToItsFirstDotAndNotLookedFor) {
  processes.start_result = false;  // a failed start is not reported either
  View_Readme_File(services());
  View_Readme_File(services("my.prog.exe"));
  View_File_With_Notepad(services(), "/home/a b/notes; rm -rf ~.txt");
  EXPECT_EQ(processes.edited_files,
            (Strings{folder + "tapwrenz.txt", folder + "my.txt", "/home/a b/notes; rm -rf ~.txt"}));
  EXPECT_EQ(asked, Strings(3, editor));
  EXPECT_TRUE(boxes().empty());
}

TEST_F(Text_Viewers_Test, MissingEditorComesBeforeAnEmptyPathAndStartsNothing) {
  View_File_With_Notepad(services(), "");
  EXPECT_EQ(boxes(), Strings{"No Log File to View."});
  existing.clear();
  View_File_With_Notepad(services(), "");
  View_Readme_File(services());
  processes.editor_path.clear();  // none found at all: nothing to look for
  asked.clear();
  View_Readme_File(services());
  EXPECT_EQ(boxes(), Strings(3, no_editor));
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(processes.edited_files.empty());
  // The box names whichever program the system's viewer is.
  processes.editor_name = "Windows Notepad";
  View_Readme_File(services());
  EXPECT_EQ(boxes(), Strings{"Windows Notepad could not be found."});
}

// A viewer that gives up after its start is reported on the window's
// thread, in an error box naming the file and the reason.
TEST_F(Text_Viewers_Test, AViewerThatCannotShowTheFileIsReportedOnTheWindowsThread) {
  View_Readme_File(services());
  processes.fail_last("xdg-open found no program to open it with (exit status 3)");
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_EQ(later.size(), 1u);
  later.front()();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "The file " + folder +
                                        "tapwrenz.txt could not be opened: xdg-open found no "
                                        "program to open it with (exit status 3).");
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Error);
  EXPECT_EQ(messages.shown[0].buttons, Message_Buttons::Ok);
}

TEST_F(Text_Viewers_Test, CatalogOpensWhenPresentAndOtherwiseExplainsItsAbsenceFirst) {
  for (bool with_editor : {true, false}) {
    existing = with_editor ? std::set<std::string>{editor} : std::set<std::string>{};
    View_Catalog_File(services(), "Tapwren v2.0f");
    EXPECT_EQ(boxes(), Strings{missing_catalog});
    existing.insert(folder + "catalog.txt");
    View_Catalog_File(services(), "Tapwren v2.0f");
    EXPECT_EQ(boxes(), with_editor ? Strings{} : Strings{no_editor});
  }
  EXPECT_EQ(processes.edited_files, Strings{folder + "catalog.txt"});
}

TEST(Text_File_Exists, OnlyAnExistingFileCounts) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("text_viewers_test_" + std::to_string(std::random_device{}()));
  fs::create_directories(dir / "catalog.txt");
  std::ofstream(dir / "tapwrenz.txt") << "readme\n";
  EXPECT_TRUE(text_file_exists((dir / "tapwrenz.txt").string()));
  EXPECT_FALSE(text_file_exists((dir / "catalog.txt").string()));
  EXPECT_FALSE(text_file_exists((dir / "missing.txt").string()));
  EXPECT_FALSE(text_file_exists(""));
  fs::remove_all(dir);
}

}  // namespace
