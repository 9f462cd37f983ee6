#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "platform/registry.h"

namespace {

namespace fs = std::filesystem;

const auto hklm = Registry_Root::Local_Machine;
const auto hkcu = Registry_Root::Current_User;
const std::string run_key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string shell_folders =
    "\\Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A temp folder standing for the home folder, with every folder the registry
// takes from the environment pointed into it; the environment is restored after.
class Registry_Linux_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tapwrenz-registry-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    autostart = root / "autostart";
    fs::create_directory(autostart);
    set_env("TAPWRENZ_AUTOSTART_DIR", autostart.string());
    set_env("HOME", (root / "home").string());
    set_env("XDG_CONFIG_HOME", (root / "config").string());
    set_env("XDG_DATA_HOME", (root / "data").string());
    unset_env("XDG_DESKTOP_DIR");
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
    fs::permissions(autostart, fs::perms::owner_all, ec);
    fs::remove_all(root, ec);
  }

  void set_env(const std::string& name, const std::string& value) {
    if (!saved_.count(name)) {
      const char* old = getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    setenv(name.c_str(), value.c_str(), 1);
  }
  void unset_env(const std::string& name) {
    set_env(name, "");
    unsetenv(name.c_str());
  }
  static std::string contents(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void write_file(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }

  std::unique_ptr<Registry> registry = make_system_registry();
  fs::path root;
  fs::path autostart;

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(Registry_Linux_Test, RunKeyValuesAreLaunchersInTheAutostartFolder) {
  const std::string bare = "software\\MICROSOFT\\windows\\currentversion\\run";
  ASSERT_TRUE(registry->key_exists(hklm, run_key));
  EXPECT_TRUE(registry->key_exists(hklm, bare));
  EXPECT_FALSE(registry->key_exists(hkcu, run_key)) << "the machine-wide key only";
  EXPECT_FALSE(registry->write_string(hklm, run_key + "Once", "tapwrenz", "/x"));
  EXPECT_FALSE(registry->read_string(hklm, run_key, "tapwrenz"));

  ASSERT_TRUE(registry->write_string(hklm, run_key, "tapwrenz", "/opt/tapwren/bin/tapwrenz-long"));
  ASSERT_TRUE(registry->write_string(hklm, bare, "tapwrenz", "/usr/bin/tapwrenz"));
  EXPECT_EQ(contents(autostart / "tapwrenz.desktop"),
            "[Desktop Entry]\nType=Application\nName=tapwrenz\nExec=/usr/bin/tapwrenz\n");
  EXPECT_EQ(registry->read_string(hklm, run_key, "tapwrenz"), "/usr/bin/tapwrenz");
  EXPECT_EQ(std::distance(fs::directory_iterator(autostart), fs::directory_iterator()), 1)
      << "no temp file is left behind";

  EXPECT_TRUE(registry->delete_value(hklm, bare, "tapwrenz"));
  EXPECT_FALSE(fs::exists(autostart / "tapwrenz.desktop"));
  EXPECT_FALSE(registry->read_string(hklm, run_key, "tapwrenz"));
  EXPECT_TRUE(registry->delete_value(hklm, run_key, "tapwrenz")) << "an absent value is no failure";
}

TEST_F(Registry_Linux_Test, ExecIsQuotedAndEveryPathReadsBackAsWritten) {
  ASSERT_TRUE(registry->write_string(hklm, run_key, "tapwrenz", "/opt/my apps/tapwrenz"));
  EXPECT_NE(contents(autostart / "tapwrenz.desktop").find("\nExec=\"/opt/my apps/tapwrenz\"\n"),
            std::string::npos);
  ASSERT_TRUE(registry->write_string(hklm, run_key, "tapwrenz", "/a\\b/$HOME/100%/x"));
  EXPECT_NE(
      contents(autostart / "tapwrenz.desktop").find("\nExec=\"/a\\\\\\\\b/\\\\$HOME/100%%/x\"\n"),
      std::string::npos);

  for (const std::string path :
       {"/opt/my apps/tapwrenz", "/a\\b/$HOME/100%/x", "/q\"uo`te'/t", "/new\nline/\ttab\r",
        " /leading", "/trailing ", "/%%/x;y&z|w", "/ü/tapwrenz", "/x=y/#(z)", ""}) {
    ASSERT_TRUE(registry->write_string(hklm, run_key, "tapwrenz", path)) << path;
    EXPECT_EQ(registry->read_string(hklm, run_key, "tapwrenz"), path);
  }
  // A newline in the name does not break the launcher into another entry.
  ASSERT_TRUE(registry->write_string(hklm, run_key, "two\nlines", "/bin/x"));
  EXPECT_EQ(registry->read_string(hklm, run_key, "two\nlines"), "/bin/x");
  EXPECT_NE(contents(autostart / "two\nlines.desktop").find("Name=two\\nlines\n"),
            std::string::npos);
}

TEST_F(Registry_Linux_Test, LaunchersWrittenByOthersAreRead) {
  write_file(autostart / "other.desktop",
             "# made by hand\r\n[Desktop Action x]\r\nExec=/wrong\r\n[Desktop Entry]\r\n"
             "Name=other\r\nExec = \"/opt/x y/other\" --flag\r\n");
  EXPECT_EQ(registry->read_string(hklm, run_key, "other"), "/opt/x y/other --flag");
  write_file(autostart / "bare.desktop", "[Desktop Entry]\nType=Application\n");
  EXPECT_EQ(registry->read_string(hklm, run_key, "bare"), "") << "there, without a command";
  fs::create_directory(autostart / "folder.desktop");
  EXPECT_FALSE(registry->read_string(hklm, run_key, "folder"));
}

TEST_F(Registry_Linux_Test, NamesNeverReachOutsideTheFolder) {
  fs::create_directory(root / "outside");
  for (const std::string& name :
       {std::string("../outside/x"), std::string("a/b"), std::string(), std::string("a\0b", 3)}) {
    EXPECT_FALSE(registry->write_string(hklm, run_key, name, "/bin/x")) << name;
    EXPECT_FALSE(registry->read_string(hklm, run_key, name));
  }
  write_file(root / "outside/x.desktop", "[Desktop Entry]\nExec=/bin/x\n");
  EXPECT_TRUE(registry->delete_value(hklm, run_key, "../outside/x"));
  EXPECT_TRUE(fs::exists(root / "outside/x.desktop"));
  EXPECT_TRUE(fs::is_empty(autostart));
  EXPECT_FALSE(registry->write_string(hklm, run_key, "nul", std::string("/bin\0x", 6)));
}

TEST_F(Registry_Linux_Test, MissingOrClosedAutostartFolderIsAnAbsentKey) {
  const fs::path missing = root / "no" / "autostart";
  set_env("TAPWRENZ_AUTOSTART_DIR", missing.string());
  EXPECT_FALSE(registry->key_exists(hklm, run_key));
  EXPECT_FALSE(registry->write_string(hklm, run_key, "tapwrenz", "/bin/x"));
  EXPECT_FALSE(registry->delete_value(hklm, run_key, "tapwrenz"));
  EXPECT_FALSE(fs::exists(root / "no")) << "the key is never created";

  write_file(root / "plain", "");
  set_env("TAPWRENZ_AUTOSTART_DIR", (root / "plain").string());
  EXPECT_FALSE(registry->key_exists(hklm, run_key));

  if (geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  set_env("TAPWRENZ_AUTOSTART_DIR", autostart.string());
  write_file(autostart / "tapwrenz.desktop", "[Desktop Entry]\nExec=/bin/x\n");
  fs::permissions(autostart, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(registry->key_exists(hklm, run_key));
  EXPECT_FALSE(registry->read_string(hklm, run_key, "tapwrenz")) << "not seen without full access";
  EXPECT_FALSE(registry->write_string(hklm, run_key, "tapwrenz", "/bin/y"));
  EXPECT_FALSE(registry->delete_value(hklm, run_key, "tapwrenz"));
  EXPECT_TRUE(fs::exists(autostart / "tapwrenz.desktop"));
}

TEST_F(Registry_Linux_Test, ShellFoldersComeFromTheXdgFolders) {
  const std::string home = (root / "home").string();
  const std::string data = (root / "data").string();
  ASSERT_TRUE(registry->key_exists(hkcu, shell_folders));
  EXPECT_TRUE(registry->key_exists(hkcu, shell_folders.substr(1)));
  EXPECT_FALSE(registry->key_exists(hklm, shell_folders));

  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), home + "/Desktop");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Start Menu"), data + "/applications");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "SendTo"), data + "/nautilus/scripts");
  EXPECT_FALSE(registry->read_string(hkcu, shell_folders, "Fonts"));
  set_env("XDG_DESKTOP_DIR", "relative");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), home + "/Desktop");
  set_env("XDG_DESKTOP_DIR", "/srv/from env/");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), "/srv/from env");

  // The settings file comes first.
  write_file(
      root / "config/user-dirs.dirs",
      "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n  XDG_DESKTOP_DIR = \"$HOME/Schreibtisch/\"\n");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "desktop"), home + "/Schreibtisch");
  write_file(root / "config/user-dirs.dirs",
             "XDG_DESKTOP_DIR=\"/srv/desk top\"\nXDG_DESKTOP_DIR=\"relative\"\n");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), "/srv/desk top")
      << "an invalid line is skipped";

  // Unset or relative base folders fall back to those under the home folder.
  unset_env("XDG_DATA_HOME");
  unset_env("XDG_DESKTOP_DIR");
  set_env("XDG_CONFIG_HOME", "relative/config");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Start Menu"),
            home + "/.local/share/applications");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "SendTo"),
            home + "/.local/share/nautilus/scripts");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), home + "/Desktop");
  write_file(root / "home/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), home + "/Bureau");

  EXPECT_FALSE(registry->write_string(hkcu, shell_folders, "Desktop", "/tmp"));
  EXPECT_FALSE(registry->delete_value(hkcu, shell_folders, "Desktop"));
  EXPECT_EQ(registry->read_string(hkcu, shell_folders, "Desktop"), home + "/Bureau");
}

}  // namespace
