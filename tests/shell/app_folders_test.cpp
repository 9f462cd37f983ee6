#include "shell/app_folders.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

struct Case {
  const char* name;
  // The binary's path as /proc/self/exe reads ("" when it cannot be read).
  const char* executable;
  std::set<std::string> files;
  std::map<std::string, std::string> environment;
  // Expected: data folder, settings folder, installed.
  const char* data;
  const char* settings;
  bool installed;
  // What the toolkit or argv[0] says the binary is, and the path decided on
  // (the one read, when empty).
  const char* fallback = "";
  const char* decided_executable = "";
};

App_Folders decide(const Case& c) {
  const Folder_Probe probe{[&](const std::string& path) { return c.files.count(path) != 0; },
                           [&](const char* name) {
                             const auto found = c.environment.find(name);
                             return found == c.environment.end() ? std::string() : found->second;
                           }};
  return decide_app_folders({.read_link = c.executable, .fallback = c.fallback}, probe);
}

TEST(App_Folders_Test, TheBinarysFolderAndTheEnvironmentDecide) {
  const std::map<std::string, std::string> home{{"HOME", "/home/ann"}};
  const std::set<std::string> installed_files{"/usr/share/tapwrenz/tapwrenz.txt",
                                              "/usr/share/tapwrenz/Mores_Code_Dot_Tone.wav"};
  const Case cases[] = {
      {"build tree",
       "/src/build/bin/tapwrenz",
       {"/src/build/bin/catalog.txt"},
       home,
       "/src/build/bin/",
       "/src/build/bin/",
       false},
      {"portable folder holding only its settings",
       "/opt/t/tapwrenz",
       {"/opt/t/tapwrenz.ini"},
       home,
       "/opt/t/",
       "/opt/t/",
       false},
      {"shipped files beside the binary win over an install",
       "/usr/bin/tapwrenz",
       {"/usr/bin/Mores_Code_Dash_Tone.wav", "/usr/share/tapwrenz/tapwrenz.txt"},
       home,
       "/usr/bin/",
       "/usr/bin/",
       false},
      {"installed", "/usr/bin/tapwrenz", installed_files, home, "/usr/share/tapwrenz/",
       "/home/ann/.config/tapwrenz/", true},
      {"installed under a temporary root",
       "/tmp/root/usr/local/bin/tapwrenz",
       {"/tmp/root/usr/local/share/tapwrenz/catalog.txt"},
       home,
       "/tmp/root/usr/local/share/tapwrenz/",
       "/home/ann/.config/tapwrenz/",
       true},
      {"XDG_CONFIG_HOME",
       "/usr/bin/tapwrenz",
       installed_files,
       {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}},
       "/usr/share/tapwrenz/",
       "/cfg/tapwrenz/",
       true},
      {"a relative XDG_CONFIG_HOME is ignored",
       "/usr/bin/tapwrenz",
       installed_files,
       {{"HOME", "/home/ann/"}, {"XDG_CONFIG_HOME", "cfg"}},
       "/usr/share/tapwrenz/",
       "/home/ann/.config/tapwrenz/",
       true},
      {"no config folder at all stays portable",
       "/usr/bin/tapwrenz",
       installed_files,
       {},
       "/usr/bin/",
       "/usr/bin/",
       false},
      {"a lone binary stays portable",
       "/home/ann/tapwrenz",
       {},
       home,
       "/home/ann/",
       "/home/ann/",
       false},
      {"a settings file beside the binary keeps it portable beside an install",
       "/usr/bin/tapwrenz",
       {"/usr/bin/tapwrenz.ini", "/usr/share/tapwrenz/tapwrenz.txt",
        "/usr/share/tapwrenz/Mores_Code_Dot_Tone.wav"},
       home,
       "/usr/bin/",
       "/usr/bin/",
       false},
      {"a binary replaced while it runs is still the installed one", "/usr/bin/tapwrenz (deleted)",
       installed_files, home, "/usr/share/tapwrenz/", "/home/ann/.config/tapwrenz/", true, "",
       "/usr/bin/tapwrenz"},
      {"/proc unreadable: the toolkit's or argv[0]'s path", "", installed_files, home,
       "/usr/share/tapwrenz/", "/home/ann/.config/tapwrenz/", true, "/usr/bin/tapwrenz",
       "/usr/bin/tapwrenz"},
      {"unknown binary: the working folder", "", installed_files, home, "", "", false},
  };
  for (const Case& c : cases) {
    const App_Folders f = decide(c);
    EXPECT_EQ(f.data, c.data) << c.name;
    EXPECT_EQ(f.settings, c.settings) << c.name;
    EXPECT_EQ(f.installed, c.installed) << c.name;
    EXPECT_EQ(f.executable, *c.decided_executable ? c.decided_executable : c.executable) << c.name;
    EXPECT_EQ(f.settings_file(), std::string(c.settings) + "tapwrenz.ini") << c.name;
  }
}

TEST(App_Folders_Test, AGivenPortableFolderHoldsEverythingBesideTheRunningBinary) {
  const App_Folders f = App_Folders::portable("/tmp/t/", "/src/build/bin/tapwrenz");
  EXPECT_EQ(f.data, "/tmp/t/");
  EXPECT_EQ(f.settings_file(), "/tmp/t/tapwrenz.ini");
  EXPECT_EQ(f.executable, "/src/build/bin/tapwrenz");
  EXPECT_FALSE(f.installed);
}

}  // namespace
