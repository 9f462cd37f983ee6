#include "shell/shortcuts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "fakes/fake_files.h"
#include "fakes/fake_messages.h"
#include "fakes/fake_registry.h"

namespace {

namespace fs = std::filesystem;

const auto hkcu = Registry_Root::Current_User;
const std::string exe = "/opt/Tapwren/tapwrenz.exe";

// Links kept as fake files; saving needs a real folder, so a missing
// sub-folder fails as it would on disk.
class Fake_Shell_Links final : public Shell_Links {
 public:
  explicit Fake_Shell_Links(Fake_Files& files) : files_(files) {}
  std::string extension() const override { return ".lnk"; }
  bool save(const std::string& link, const std::string& target) override {
    ++saves;
    if (!fs::is_directory(fs::path(link).parent_path())) return false;
    files_.files[link] = Fake_File{};
    targets[link] = target;
    return true;
  }
  std::optional<std::string> target_of(const std::string& link) override {
    if (!files_.files.count(link)) return std::nullopt;
    return targets[link];
  }
  std::string send_to_extension() const override { return ""; }
  bool save_send_to(const std::string& link, const std::string& target) override {
    send_to_saves.push_back(link);
    return save(link, target);
  }
  std::string menu_extension() const override { return "-menu.lnk"; }
  bool save_menu(const std::string& link, const std::string& target) override {
    menu_saves.push_back(link);
    return save(link, target);
  }
  bool is_former_menu_link(const std::string& link, const std::string& target) override {
    return former_menu_links.count(link) && targets[link] == target;
  }

  int saves = 0;
  std::vector<std::string> send_to_saves;
  std::vector<std::string> menu_saves;
  std::set<std::string> former_menu_links;
  std::map<std::string, std::string> targets;

 private:
  Fake_Files& files_;
};

class Fake_Shortcut_Window final : public Shortcut_Window {
 public:
  Registry& registry() override { return fake_registry; }
  Messages& messages() override { return fake_messages; }
  Shell_Links& shell_links() override { return fake_links; }
  Files& files() override { return fake_files; }
  std::string executable_path() const override { return path; }

  Fake_Registry fake_registry;
  Fake_Messages fake_messages;
  Fake_Files fake_files;
  Fake_Shell_Links fake_links{fake_files};
  std::string path = exe;
};

// The three shell folders as real temp folders, listed under the key spelt
// without its leading separator.
class Shortcuts_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("tapwrenz-shortcuts-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (const char* name : Shortcut_Folder_Names) {
      fs::create_directories(root / name);
      window.fake_registry.set(hkcu, std::string(kShell_Folders_Key).substr(1), name,
                               (root / name).string());
    }
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  std::string link(const std::string& folder, const std::string& name = "tapwrenz.lnk") {
    return (root / folder / name).string();
  }
  std::string send_to_link() { return link("SendTo", "tapwrenz"); }
  std::string menu_link() { return link("Start Menu", "tapwrenz-menu.lnk"); }
  std::string programs_link() {
    return (root / "Start Menu" / "Programs" / "tapwrenz-menu.lnk").string();
  }
  std::map<std::string, Fake_File>& files() { return window.fake_files.files; }
  std::vector<Shown_Message>& shown() { return window.fake_messages.shown; }
  // The one box shown since the last call, with this Part's icon and button.
  std::string only_message() {
    EXPECT_EQ(shown().size(), 1u);
    if (shown().empty()) return "";
    EXPECT_EQ(shown()[0].icon, Message_Icon::Information);
    EXPECT_EQ(shown()[0].buttons, Message_Buttons::Ok);
    const std::string text = shown()[0].text;
    shown().clear();
    return text;
  }

  fs::path root;
  Fake_Shortcut_Window window;
};

TEST(File_Name_Without_Extension, DropsEveryCopyOfTheExtensionFromTheFileNameOnly) {
  EXPECT_EQ(File_Name_Without_Extension("/opt/Tapwren/tapwrenz.exe"), "tapwrenz");
  EXPECT_EQ(File_Name_Without_Extension("a.exe.exe"), "a");
  EXPECT_EQ(File_Name_Without_Extension("/opt/v1.2/tapwrenz"), "tapwrenz");
#ifdef _WIN32
  EXPECT_EQ(File_Name_Without_Extension("C:\\Tapwren\\tapwrenz.exe"), "tapwrenz");
  EXPECT_EQ(File_Name_Without_Extension("C:tapwrenz.exe"), "tapwrenz");
#else
  EXPECT_EQ(File_Name_Without_Extension("/opt/C:a\\b.exe"), "C:a\\b");
#endif
}

TEST_F(Shortcuts_Test, MenuEntriesCreateLinksSilentlyAndRewriteThem) {
  Create_Shortcut_on_Desktop_OptionClick(window);
  Create_Shortcut_on_Start_Menu_OptionClick(window);
  Create_Shortcut_on_Start_Programs_Menu_OptionClick(window);
  Create_Shortcut_on_SendTo_Menu_OptionClick(window);
  EXPECT_TRUE(shown().empty());
  for (const std::string& path : {link("Desktop"), menu_link(), programs_link(), send_to_link()})
    EXPECT_EQ(window.fake_links.target_of(path), exe) << path;
  EXPECT_EQ(files().size(), 4u);
  EXPECT_EQ(window.fake_links.send_to_saves, std::vector<std::string>{send_to_link()});
  EXPECT_EQ(window.fake_links.menu_saves, (std::vector<std::string>{menu_link(), programs_link()}));

  window.path = "/usr/local/bin/tapwrenz.bin";
  Create_Shortcut_on_Desktop_OptionClick(window);
  EXPECT_EQ(files().size(), 4u) << "the same link, rewritten";
  EXPECT_EQ(window.fake_links.target_of(link("Desktop")), window.path);
  EXPECT_TRUE(shown().empty());
}

TEST_F(Shortcuts_Test, DeleteAllRemovesReadOnlyLinksButNotTheProgramsOne) {
  Create_Shortcut_on_Desktop_OptionClick(window);
  Create_Shortcut_on_SendTo_Menu_OptionClick(window);
  Create_Shortcut_on_Start_Programs_Menu_OptionClick(window);
  files()[link("Desktop")].attributes.read_only = true;

  Delete_All_Shortcuts_OptionClick(window);
  EXPECT_EQ(only_message(),
            "Success: All Desktop, Start Menu, and SendTo shortcuts to \"tapwrenz\" have been "
            "deleted.");
  EXPECT_EQ(files().size(), 1u);
  EXPECT_TRUE(files().count(programs_link()));

  Delete_All_Shortcuts_OptionClick(window);
  EXPECT_EQ(only_message(),
            "No Desktop, Start Menu, or SendTo shortcuts called \"tapwrenz\" could be found !  "
            "i.e. they may have been renamed to something else or deleted already.");
  REGISTRY_INC__Delete_All_Shortcuts(window, exe, false);
  EXPECT_TRUE(shown().empty());
}

// Menu links named as the links elsewhere: one an earlier version made, and
// one that is not that (a user's own, or one for another program).
TEST_F(Shortcuts_Test, MenuLinksOfAnEarlierVersionAreReplacedAndDeletedWithTheNewOnes) {
  fs::create_directory(root / "Start Menu" / "Programs");
  window.fake_links.save(link("Start Menu"), exe);
  ASSERT_TRUE(window.fake_links.save(link("Start Menu/Programs"), exe));
  window.fake_links.former_menu_links = {link("Start Menu")};
  Create_Shortcut_on_Start_Menu_OptionClick(window);
  EXPECT_TRUE(shown().empty());
  EXPECT_FALSE(files().count(link("Start Menu")));
  EXPECT_TRUE(files().count(menu_link()));
  Create_Shortcut_on_Start_Programs_Menu_OptionClick(window);
  EXPECT_EQ(files().size(), 3u) << "a user's own link stays";

  window.fake_links.save(link("Start Menu"), exe);
  window.fake_links.former_menu_links = {link("Start Menu")};
  files().erase(programs_link());
  Delete_All_Shortcuts_OptionClick(window);
  EXPECT_EQ(only_message(),
            "Success: All Desktop, Start Menu, and SendTo shortcuts to \"tapwrenz\" have been "
            "deleted.");
  EXPECT_EQ(files().size(), 1u) << "only the user's own link in the Programs folder";
  files().clear();

  window.fake_links.save(link("Start Menu"), exe);
  window.fake_links.former_menu_links.clear();
  EXPECT_FALSE(REGISTRY_INC__Delete_Shortcut(window, "Start Menu", false));
  window.fake_links.former_menu_links.insert(link("Start Menu"));
  window.fake_links.targets[link("Start Menu")] = "/usr/bin/other";
  EXPECT_FALSE(REGISTRY_INC__Delete_Shortcut(window, "Start Menu", false));
  EXPECT_EQ(files().size(), 1u);
}

TEST_F(Shortcuts_Test, DeleteReportsEachOutcome) {
  Create_Shortcut_on_Desktop_OptionClick(window);
  files()[link("Desktop")].open = Exclusive_Open::Held;
  EXPECT_FALSE(REGISTRY_INC__Delete_Shortcut(window, "Desktop", true));
  EXPECT_EQ(only_message(),
            "Error: The \"tapwrenz\" shortcut could not be deleted from the \"Desktop\" menu.");
  EXPECT_TRUE(files().count(link("Desktop")));

  files()[link("Desktop")].open = Exclusive_Open::Opened;
  EXPECT_TRUE(REGISTRY_INC__Delete_Shortcut(window, "Desktop", true));
  EXPECT_EQ(only_message(),
            "Success: The \"tapwrenz\" shortcut has been deleted from the \"Desktop\" menu.");

  EXPECT_FALSE(REGISTRY_INC__Delete_Shortcut(window, "Desktop", true));
  EXPECT_EQ(only_message(),
            "Error: The \"tapwrenz\" shortcut could not be found, or it has been renamed in the "
            "\"Desktop\" menu.");
}

TEST_F(Shortcuts_Test, UnknownOrUnlistedFoldersAreReportedAndNeverSearched) {
  window.fake_registry.remove_key(hkcu, kShell_Folders_Key);
  window.fake_registry.set(hkcu, kShell_Folders_Key, "Desktop", (root / "Desktop").string());
  window.fake_registry.set(hkcu, kShell_Folders_Key, "Programs", root.string());
  for (const std::string name : {"desktop", "Programs", "SendTo"}) {
    EXPECT_FALSE(REGISTRY_INC__Create_Shortcut(window, exe, name, ""));
    EXPECT_EQ(only_message(), "REGISTRY_INC__Create_Shortcut Error: The key \"" + name +
                                  "\" is invalid or could not be found in the registry.");
    EXPECT_FALSE(REGISTRY_INC__Delete_Shortcut(window, name, true));
    EXPECT_EQ(only_message(), "REGISTRY_INC__Delete_Shortcut Error: The key \"" + name +
                                  "\" is invalid or could not be found in the registry.");
    EXPECT_FALSE(REGISTRY_INC__Delete_Shortcut(window, name, false));
  }
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(window.fake_links.saves, 0);
  EXPECT_TRUE(window.fake_files.calls.empty());
}

TEST_F(Shortcuts_Test, MissingFoldersAreMadeAndLinksThatCannotBeWrittenAreReported) {
  fs::remove_all(root / "Start Menu");
  EXPECT_TRUE(REGISTRY_INC__Create_Shortcut(window, exe, "Start Menu", "Programs"));
  EXPECT_TRUE(files().count(programs_link()));
  EXPECT_TRUE(shown().empty());

  fs::remove_all(root / "Start Menu");
  std::ofstream(root / "Start Menu") << "a file where the folder should be";
  EXPECT_FALSE(REGISTRY_INC__Create_Shortcut(window, exe, "Start Menu", "Programs"));
  EXPECT_EQ(only_message(), "REGISTRY_INC__Create_Shortcut Error: The shortcut \"" +
                                programs_link() + "\" could not be written.");
}

}  // namespace
