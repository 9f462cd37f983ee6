#include "shell/auto_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_messages.h"
#include "fakes/fake_registry.h"

namespace {

const auto hklm = Registry_Root::Local_Machine;
const std::string run_key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string exe = "/opt/Tapwren/tapwrenz";

class Fake_Auto_Run_Window final : public Auto_Run_Window {
 public:
  Registry& registry() override { return fake_registry; }
  Messages& messages() override { return fake_messages; }
  std::string executable_path() const override { return path; }
  std::string executable_file_name() const override { return "tapwrenz"; }
  bool auto_run_checked() const override { return checked; }
  void set_auto_run_checked(bool c) override { checked = c; }

  Fake_Registry fake_registry;
  Fake_Messages fake_messages;
  std::string path = exe;
  bool checked = false;
};

const std::string turned_on =
    "This program (tapwrenz) will now run automatically at Windows Start-Up.";
const std::string turned_off =
    "This program (tapwrenz) will now no-longer run automatically at Windows Start-Up.";

class Auto_Run_Test : public ::testing::Test {
 protected:
  void SetUp() override { registry.add_key(hklm, run_key); }

  std::optional<std::string> entry() { return registry.stored(hklm, run_key, "tapwrenz"); }
  std::vector<Shown_Message>& shown() { return window.fake_messages.shown; }
  void expect_shown(const std::string& text, Message_Icon icon) {
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, text);
    EXPECT_EQ(shown()[0].icon, icon);
    EXPECT_EQ(shown()[0].buttons, Message_Buttons::Ok);
  }

  Fake_Auto_Run_Window window;
  Fake_Registry& registry = window.fake_registry;
};

TEST_F(Auto_Run_Test, MenuEntryTurnsAutoRunOnAndOff) {
  Auto_Run_at_Windows_Startup_OptionClick(window);
  EXPECT_TRUE(window.checked);
  EXPECT_EQ(entry(), exe);
  expect_shown(turned_on, Message_Icon::Information);

  shown().clear();
  Auto_Run_at_Windows_Startup_OptionClick(window);
  EXPECT_FALSE(window.checked);
  EXPECT_FALSE(entry());
  expect_shown(turned_off, Message_Icon::Information);
}

TEST_F(Auto_Run_Test, TurningOffAnEntryAlreadyGoneSucceeds) {
  window.checked = true;
  Auto_Run_at_Windows_Startup_OptionClick(window);
  EXPECT_FALSE(window.checked);
  expect_shown(turned_off, Message_Icon::Information);
}

TEST_F(Auto_Run_Test, FailuresLeaveTheCheckMarkAndShowNoConfirmation) {
  const std::string missing = "Error: The specified Registry Key for this operation ";
  struct Case {
    const char* fault;
    bool checked;
    std::string heading;
  };
  for (const Case& c : std::vector<Case>{
           {"missing key", false, missing},
           {"missing key", true, missing},
           {"no access", false, missing},
           {"no access", true, missing},
           {"read-back mismatch", false, "Error: The required settings could not be created "},
           {"write fails", false, "Failed to set data for 'tapwrenz'"},
           {"delete fails", true, "Error: The required Registry Key settings "}}) {
    SCOPED_TRACE(std::string(c.fault) + (c.checked ? ", checked" : ", unchecked"));
    Fake_Auto_Run_Window w;
    w.fake_registry.set(hklm, run_key, "tapwrenz", "/old/tapwrenz");
    const std::string f = c.fault;
    if (f == "missing key") w.fake_registry.remove_key(hklm, run_key);
    if (f == "no access") w.fake_registry.deny_access(hklm, run_key);
    if (f == "read-back mismatch") w.fake_registry.writes_store = "/somewhere/else";
    if (f == "write fails") w.fake_registry.writes_fail = true;
    if (f == "delete fails") w.fake_registry.deletes_fail = true;
    w.checked = c.checked;
    Auto_Run_at_Windows_Startup_OptionClick(w);
    EXPECT_EQ(w.checked, c.checked);
    ASSERT_EQ(w.fake_messages.shown.size(), 1u);
    EXPECT_EQ(lines_of(w.fake_messages.shown[0].text)[0], c.heading);
    EXPECT_EQ(w.fake_messages.shown[0].icon, Message_Icon::Error);
  }
}

TEST_F(Auto_Run_Test, StartUpCheckFollowsTheRegistryAlone) {
  EXPECT_FALSE(Check_Auto_Run_Path(window)) << "no entry";
  registry.set(hklm, run_key, "tapwrenz", "");
  EXPECT_FALSE(Check_Auto_Run_Path(window)) << "an empty entry counts as none";
  registry.set(hklm, run_key, "TAPWRENZ", "/OPT/tapwren/TAPWRENZ");
  EXPECT_TRUE(Check_Auto_Run_Path(window)) << "letter case aside, the same path";
  EXPECT_TRUE(shown().empty());
  EXPECT_EQ(registry.writes, 0);

  // Without full access to the key an existing entry is not seen.
  registry.deny_access(hklm, run_key);
  EXPECT_FALSE(Check_Auto_Run_Path(window));
  EXPECT_TRUE(shown().empty());
}

TEST_F(Auto_Run_Test, MovedProgramAsksUntilTheEntryIsUpdated) {
  registry.set(hklm, run_key, "tapwrenz", "/home/u/old place/tapwrenz");
  const std::vector<std::string> question = {
      "The directory / path settings required to make this program (tapwrenz)",
      "run automatically at Windows Start-up do not match where the program ",
      "is currently being run from.",
      "",
      " Old      = /home/u/old place/tapwrenz",
      " Current = /opt/Tapwren/tapwrenz",
      "",
      "Do you want to update the Windows Registry to reflect the programs current locaton ?"};

  for (int start = 0; start < 2; ++start) {
    window.fake_messages.answers = {Message_Answer::No};
    EXPECT_TRUE(Check_Auto_Run_Path(window)) << "the entry exists whatever the answer";
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(lines_of(shown()[0].text), question);
    EXPECT_EQ(shown()[0].icon, Message_Icon::Warning);
    EXPECT_EQ(shown()[0].buttons, Message_Buttons::Yes_No);
    EXPECT_EQ(entry(), "/home/u/old place/tapwrenz");
    shown().clear();
  }

  window.fake_messages.answers = {Message_Answer::Yes};
  EXPECT_TRUE(Check_Auto_Run_Path(window));
  EXPECT_EQ(entry(), exe);
  ASSERT_EQ(shown().size(), 2u);
  EXPECT_EQ(shown()[1].text, turned_on);
  EXPECT_EQ(shown()[1].icon, Message_Icon::Information);

  shown().clear();
  EXPECT_TRUE(Check_Auto_Run_Path(window));
  EXPECT_TRUE(shown().empty()) << "asked no more once updated";
}

TEST_F(Auto_Run_Test, UpdateThatFailsAtStartUpStillReportsTheEntry) {
  registry.set(hklm, run_key, "tapwrenz", "/old/tapwrenz");
  registry.writes_fail = true;
  EXPECT_TRUE(Check_Auto_Run_Path(window));
  ASSERT_EQ(shown().size(), 2u) << "the question, then the error; no confirmation";
  EXPECT_EQ(shown()[1].text, "Failed to set data for 'tapwrenz'");
}

}  // namespace
