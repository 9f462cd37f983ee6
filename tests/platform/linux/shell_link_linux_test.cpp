#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "platform/shell_link.h"

namespace {

namespace fs = std::filesystem;

class Shell_Link_Linux_Test : public ::testing::Test {
 protected:
  // The system's data folders point at an empty temp folder unless a test
  // installs an entry; the environment is restored after.
  void SetUp() override {
    char tmpl[] = "/tmp/tapwrenz-links-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    set_env("XDG_DATA_DIRS", (root / "share").string());
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  void set_env(const std::string& name, const std::string& value) {
    if (!saved_.count(name)) {
      const char* old = getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    setenv(name.c_str(), value.c_str(), 1);
  }
  // An executable file at `path` (its folders made).
  void program(const fs::path& path) {
    fs::create_directories(path.parent_path());
    write(path, "#!/bin/sh\n");
    fs::permissions(path, fs::perms::owner_all);
  }

  static std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // Every name in the folder, so a stray temp file shows up.
  std::string listing() const {
    std::string names;
    for (const auto& entry : fs::directory_iterator(root))
      names += entry.path().filename().string() + " ";
    return names;
  }

  fs::path root;
  std::unique_ptr<Shell_Links> links = make_system_shell_links();

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

// What the package's own launcher gives every launcher, with no package installed.
const std::string kLooks =
    "Name=Tapwren\nGenericName=Morse Code Converter\n"
    "Comment=Convert text to Morse code and back, play it as sound and key it with the mouse\n"
    "Icon=tapwrenz\nCategories=Education;HamRadio;\nKeywords=Morse;CW;telegraphy;amateur radio;\n";

TEST_F(Shell_Link_Linux_Test, SavesAnExecutableLauncherAndRewritesIt) {
  EXPECT_EQ(links->extension(), ".desktop");
  const fs::path link = root / "tapwrenz.desktop";
  ASSERT_TRUE(links->save(link.string(), "/opt/Tapwren/tapwrenz"));
  EXPECT_EQ(contents(link),
            "[Desktop Entry]\nType=Application\n" + kLooks + "Exec=/opt/Tapwren/tapwrenz\n");
  struct stat st {};
  ASSERT_EQ(stat(link.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  EXPECT_EQ(links->target_of(link.string()), "/opt/Tapwren/tapwrenz");

  ASSERT_TRUE(links->save(link.string(), "/usr/bin/other"));
  EXPECT_EQ(links->target_of(link.string()), "/usr/bin/other");
  EXPECT_EQ(listing(), "tapwrenz.desktop ") << "one launcher, no temp file";
}

TEST_F(Shell_Link_Linux_Test, TargetsWithReservedCharactersComeBackWhole) {
  const fs::path link = root / "odd.desktop";
  for (const std::string target : {"/opt/Tap wren/tapwrenz", "/opt/50%/x", "/opt/a\"b`c$d\\e/f",
                                   "/opt/it's/x=y", "/opt/new\nline/x"}) {
    ASSERT_TRUE(links->save(link.string(), target)) << target;
    EXPECT_EQ(links->target_of(link.string()), target);
  }
  const std::string text = contents(link);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9) << "the line break stays escaped";
}

TEST_F(Shell_Link_Linux_Test, TheSendToEntryIsAScriptThatStartsTheProgram) {
  EXPECT_EQ(links->send_to_extension(), "");
  // The program: a script that says it ran, with what it was given, in a
  // folder whose name the entry has to quote.
  const fs::path folder = root / "it's $HOME \"x\"";
  fs::create_directory(folder);
  const fs::path program = folder / "tapwrenz";
  write(program, "#!/bin/sh\necho \"ran with $#\" > \"$(dirname \"$0\")/ran\"\n");
  fs::permissions(program, fs::perms::owner_all);
  const fs::path entry = root / "tapwrenz";
  ASSERT_TRUE(links->save_send_to(entry.string(), program.string()));
  ASSERT_TRUE(links->save_send_to(entry.string(), program.string()));  // rewritten
  EXPECT_EQ(fs::status(entry).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);

  // As the file manager runs it: with the chosen files, one of them like an option.
  const std::string command = "'" + entry.string() + "' --help 'a file.wav'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(contents(folder / "ran"), "ran with 0\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 2)
      << "no temp file left behind: " << listing();
}

TEST_F(Shell_Link_Linux_Test, FailsCleanlyWhereNothingCanBeWritten) {
  EXPECT_FALSE(links->save((root / "missing" / "tapwrenz.desktop").string(), "/bin/true"));
  fs::create_directory(root / "busy.desktop");
  EXPECT_FALSE(links->save((root / "busy.desktop").string(), "/bin/true"));
  EXPECT_EQ(listing(), "busy.desktop ") << "no temp file left behind";
}

TEST_F(Shell_Link_Linux_Test, ReadsTheProgramOfForeignLaunchersOnly) {
  write(root / "args.desktop",
        "[Desktop Entry]\nName=x\nExec = \"/opt/my app/run\" --open %U\n[Other]\nExec=no\n");
  EXPECT_EQ(links->target_of((root / "args.desktop").string()), "/opt/my app/run");
  write(root / "section.desktop", "[Other]\nExec=/bin/false\n");
  EXPECT_FALSE(links->target_of((root / "section.desktop").string()));
  write(root / "empty.desktop", "[Desktop Entry]\nExec=\n");
  EXPECT_FALSE(links->target_of((root / "empty.desktop").string()));
  EXPECT_FALSE(links->target_of((root / "missing.desktop").string()));
  EXPECT_FALSE(links->target_of(root.string())) << "a folder";
}

TEST_F(Shell_Link_Linux_Test, TheLooksCompiledInAreThoseOfThePackagesLauncher) {
  const fs::path installed = root / "share" / "applications" / "tapwrenz.desktop";
  fs::create_directories(installed.parent_path());
  fs::copy_file(fs::path(TAPWRENZ_SOURCE_DIR) / "assets" / "tapwrenz.desktop", installed);
  const fs::path from_package = root / "from_package.desktop";
  ASSERT_TRUE(links->save(from_package.string(), "/opt/t/tapwrenz"));
  fs::remove(installed);
  const fs::path compiled_in = root / "compiled_in.desktop";
  ASSERT_TRUE(links->save(compiled_in.string(), "/opt/t/tapwrenz"));
  EXPECT_EQ(contents(compiled_in), contents(from_package));
}

// A menu launcher never takes the id of the package's entry, and is not
// written where that entry, as the menu shows it, already starts the program.
TEST_F(Shell_Link_Linux_Test, MenuLaunchersListTheProgramOnceAndLookLikeIt) {
  const fs::path bin = root / "bin";
  const fs::path target = bin / "tapwrenz";
  program(target);
  program(root / "other" / "tapwrenz");
  fs::create_symlink(target, root / "linked");
  const fs::path first = root / "share";
  const fs::path second = root / "usr" / "share";
  set_env("XDG_DATA_DIRS", first.string() + ":relative/share:" + second.string());
  const std::string looks =
      "Name=Tapwren\nName[de]=Tapwren DE\nIcon=/opt/icons/t.png\n"
      "Categories=Education;Ham\\;Radio;\n";
  const struct {
    const char* what;
    std::string path;          // PATH while saving
    fs::path folder;           // where the package's entry is installed
    std::string entry;         // its text; none when empty
    std::string second_entry;  // one further down XDG_DATA_DIRS
    bool written;
  } cases[] = {
      {"no package", bin.string(), first, "", "", true},
      {"its program through PATH", bin.string(), first,
       "[Desktop Entry]\nExec=tapwrenz %U\n" + looks, "", false},
      {"its program by a link to it", "", first,
       "[Desktop Entry]\nExec=" + (root / "linked").string() + "\n" + looks, "", false},
      {"the same name elsewhere in PATH", (root / "other").string(), first,
       "[Desktop Entry]\nExec=tapwrenz\n" + looks, "", true},
      {"not shown", bin.string(), first, "[Desktop Entry]\nExec=tapwrenz\nNoDisplay=true\n" + looks,
       "", true},
      {"hidden by another program's entry", bin.string(), first,
       "[Desktop Entry]\nExec=/usr/bin/other\n" + looks, "[Desktop Entry]\nExec=tapwrenz\n" + looks,
       true},
      {"further down the data folders", bin.string(), second,
       "[Desktop Entry]\nExec=tapwrenz\n" + looks, "", false},
  };
  EXPECT_EQ(links->menu_extension(), "-shortcut.desktop");
  const fs::path menu = root / "applications";
  fs::create_directory(menu);
  const fs::path link = menu / "tapwrenz-shortcut.desktop";
  for (const auto& c : cases) {
    fs::remove_all(first / "applications");
    fs::remove_all(second / "applications");
    if (!c.entry.empty()) {
      fs::create_directories(c.folder / "applications");
      write(c.folder / "applications" / "tapwrenz.desktop", c.entry);
    }
    if (!c.second_entry.empty()) {
      fs::create_directories(second / "applications");
      write(second / "applications" / "tapwrenz.desktop", c.second_entry);
    }
    set_env("PATH", c.path);
    fs::remove(link);
    EXPECT_TRUE(links->save_menu(link.string(), target.string())) << c.what;
    EXPECT_EQ(fs::exists(link), c.written) << c.what;
    EXPECT_EQ(std::distance(fs::directory_iterator(menu), fs::directory_iterator()), c.written)
        << c.what << ": nothing else, no temp file";
    if (!c.written) continue;
    const std::string expected_looks = c.entry.empty() ? kLooks : looks;
    EXPECT_EQ(contents(link), "[Desktop Entry]\nType=Application\n" + expected_looks +
                                  "Exec=" + target.string() + "\n")
        << c.what;
  }
}

TEST_F(Shell_Link_Linux_Test, OnlyAnUntouchedMenuLauncherOfAnEarlierVersionCountsAsOne) {
  const fs::path link = root / "tapwrenz.desktop";
  const std::string earlier =
      "[Desktop Entry]\nType=Application\nName=tapwrenz\nExec=/opt/t/tapwrenz\n";
  write(link, earlier);
  EXPECT_TRUE(links->is_former_menu_link(link.string(), "/opt/t/tapwrenz"));
  EXPECT_FALSE(links->is_former_menu_link(link.string(), "/opt/u/tapwrenz"));
  write(link, earlier + "Icon=mine\n");
  EXPECT_FALSE(links->is_former_menu_link(link.string(), "/opt/t/tapwrenz"));
  EXPECT_FALSE(links->is_former_menu_link((root / "missing.desktop").string(), "/opt/t/tapwrenz"));
}

}  // namespace
