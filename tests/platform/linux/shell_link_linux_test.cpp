#include <stdlib.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/shell_link.h"

namespace {

namespace fs = std::filesystem;

class Shell_Link_Linux_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tapwrenz-links-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root, ec);
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
};

TEST_F(Shell_Link_Linux_Test, SavesAnExecutableLauncherAndRewritesIt) {
  EXPECT_EQ(links->extension(), ".desktop");
  const fs::path link = root / "tapwrenz.desktop";
  ASSERT_TRUE(links->save(link.string(), "/opt/Tapwren/tapwrenz"));
  EXPECT_EQ(contents(link),
            "[Desktop Entry]\nType=Application\nName=tapwrenz\nExec=/opt/Tapwren/tapwrenz\n");
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
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << "the line break stays escaped";
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

}  // namespace
