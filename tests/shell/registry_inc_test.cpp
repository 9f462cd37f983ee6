#include "shell/registry_inc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_messages.h"
#include "fakes/fake_registry.h"

namespace {

const auto hklm = Registry_Root::Local_Machine;
const std::string key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string author = "Please contact the program's author.";

struct Fault_Case {
  const char* fault;
  std::vector<std::string> lines;  // of the one error box
};

void inject(Fake_Registry& registry, const std::string& fault) {
  if (fault == "missing key") registry.remove_key(hklm, key);
  if (fault == "no access") registry.deny_access(hklm, key);
  if (fault == "read-back mismatch") registry.writes_store = "/opt/tapwren/tapwren";
  if (fault == "write fails") registry.writes_fail = true;
  if (fault == "delete fails") registry.deletes_fail = true;
}

void expect_one_error(const Fake_Messages& messages, const std::vector<std::string>& lines) {
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(lines_of(messages.shown[0].text), lines);
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Error);
  EXPECT_EQ(messages.shown[0].buttons, Message_Buttons::Ok);
}

TEST(Registry_Inc, WriteShowsEachFaultAndKeepsTheOldValue) {
  const std::vector<std::string> missing = {
      "Error: The specified Registry Key for this operation ",
      "does NOT exist on your PC.  ",
      "",
      " Error Key   = \\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
      " Error Item  = tapwrenz",
      " Error Value = /opt/tapwren/tapwrenz",
      "",
      author};
  std::vector<std::string> not_created = missing;
  not_created[0] = "Error: The required settings could not be created ";
  not_created[1] = "or saved in the Windows Registry.  ";
  for (const Fault_Case& c :
       std::vector<Fault_Case>{{"missing key", missing},
                               {"no access", missing},
                               {"read-back mismatch", not_created},
                               // Even over a value already holding the same text.
                               {"write fails", {"Failed to set data for 'tapwrenz'"}}}) {
    SCOPED_TRACE(c.fault);
    Fake_Registry registry;
    Fake_Messages messages;
    registry.set(hklm, key, "tapwrenz", "/opt/tapwren/tapwrenz");
    inject(registry, c.fault);
    EXPECT_FALSE(REGISTRY_INC__Write_String_Value(registry, messages, hklm, key, "tapwrenz",
                                                  "/opt/tapwren/tapwrenz"));
    expect_one_error(messages, c.lines);
  }
}

TEST(Registry_Inc, DeleteShowsEachFaultAndAnAbsentValueIsNoFailure) {
  const std::vector<std::string> missing = {
      "Error: The specified Registry Key for this operation ",
      "does NOT exist on your PC.  ",
      "",
      " Error Key   = Software\\Microsoft\\Windows\\CurrentVersion\\Run",
      " Error Item  = tapwrenz",
      "",
      author};
  std::vector<std::string> not_removed = missing;
  not_removed[0] = "Error: The required Registry Key settings ";
  not_removed[1] = "could not be removed from the Windows Registry.  ";
  for (const Fault_Case& c : std::vector<Fault_Case>{
           {"missing key", missing}, {"no access", missing}, {"delete fails", not_removed}}) {
    SCOPED_TRACE(c.fault);
    Fake_Registry registry;
    Fake_Messages messages;
    registry.set(hklm, key, "tapwrenz", "/x");
    inject(registry, c.fault);
    EXPECT_FALSE(REGISTRY_INC__Delete_Value(registry, messages, hklm, key.substr(1), "tapwrenz"));
    expect_one_error(messages, c.lines);
    if (std::string(c.fault) != "missing key") {
      EXPECT_EQ(registry.stored(hklm, key, "tapwrenz"), "/x");
    }
  }

  Fake_Registry registry;
  Fake_Messages messages;
  registry.set(hklm, key, "tapwrenz", "/x");
  EXPECT_TRUE(REGISTRY_INC__Delete_Value(registry, messages, hklm, key, "tapwrenz"));
  EXPECT_FALSE(registry.stored(hklm, key, "tapwrenz"));
  EXPECT_TRUE(REGISTRY_INC__Delete_Value(registry, messages, hklm, key, "tapwrenz"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(Registry_Inc, ReadGivesTheTextOrEmpty) {
  Fake_Registry registry;
  registry.set(hklm, key, "tapwrenz", "/x");
  EXPECT_EQ(REGISTRY_INC__Read_String_Value(registry, hklm, key, "tapwrenz"), "/x");
  EXPECT_EQ(REGISTRY_INC__Read_String_Value(registry, hklm, key, "other"), "");
  EXPECT_EQ(REGISTRY_INC__Read_String_Value(registry, Registry_Root::Current_User, key, "tapwrenz"),
            "");
  registry.deny_access(hklm, key);
  EXPECT_EQ(REGISTRY_INC__Read_String_Value(registry, hklm, key, "tapwrenz"), "");
}

}  // namespace
