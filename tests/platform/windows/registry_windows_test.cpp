#include "platform/registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

namespace {

const std::string run_key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string missing_key = "\\Software\\Tapwrenz Test Missing Key\\Below";

class Registry_Test : public ::testing::Test {
 protected:
  void TearDown() override { registry->delete_value(Registry_Root::Local_Machine, run_key, name); }

  std::unique_ptr<Registry> registry = make_system_registry();
  const std::string name = "tapwrenz_test_" + std::to_string(GetCurrentProcessId()) + ".exe";
};

TEST_F(Registry_Test, ValueIsWrittenReadBackAndDeleted) {
  const auto hklm = Registry_Root::Local_Machine;
  ASSERT_TRUE(registry->key_exists(hklm, run_key));
  EXPECT_FALSE(registry->read_string(hklm, run_key, name));

  ASSERT_TRUE(registry->write_string(hklm, run_key, name, "C:\\Tapwrenz\\tapwrenz.exe"));
  EXPECT_EQ(registry->read_string(hklm, run_key, name), "C:\\Tapwrenz\\tapwrenz.exe");

  // Overwriting with a shorter value leaves nothing of the longer one.
  ASSERT_TRUE(registry->write_string(hklm, run_key, name, "C:\\t.exe"));
  EXPECT_EQ(registry->read_string(hklm, run_key, name), "C:\\t.exe");

  EXPECT_TRUE(registry->delete_value(hklm, run_key, name));
  EXPECT_FALSE(registry->read_string(hklm, run_key, name));
  EXPECT_TRUE(registry->delete_value(hklm, run_key, name)) << "an absent value is no failure";
}

TEST_F(Registry_Test, KeyWorksWithAndWithoutLeadingBackslash) {
  const auto hklm = Registry_Root::Local_Machine;
  const std::string bare = run_key.substr(1);
  EXPECT_TRUE(registry->key_exists(hklm, bare));
  ASSERT_TRUE(registry->write_string(hklm, bare, name, "bare"));
  EXPECT_EQ(registry->read_string(hklm, run_key, name), "bare");
  ASSERT_TRUE(registry->write_string(hklm, run_key, name, "slashed"));
  EXPECT_EQ(registry->read_string(hklm, bare, name), "slashed");
  EXPECT_TRUE(registry->delete_value(hklm, bare, name));
  EXPECT_FALSE(registry->read_string(hklm, run_key, name));
}

TEST_F(Registry_Test, LongValueRoundTrips) {
  std::string value(5000, 'x');
  for (size_t i = 0; i < value.size(); ++i) value[i] = static_cast<char>('a' + i % 26);
  ASSERT_TRUE(registry->write_string(Registry_Root::Local_Machine, run_key, name, value));
  EXPECT_EQ(registry->read_string(Registry_Root::Local_Machine, run_key, name), value);
}

TEST_F(Registry_Test, ValueStoredWithoutTerminatingNulReadsWhole) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, run_key.c_str() + 1, 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  const char raw[] = {'a', 'b', 'c'};
  ASSERT_EQ(
      RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof raw),
      ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(registry->read_string(Registry_Root::Local_Machine, run_key, name), "abc");
}

TEST_F(Registry_Test, MissingKeyIsAbsentAndNeverCreated) {
  for (auto root : {Registry_Root::Current_User, Registry_Root::Local_Machine}) {
    EXPECT_FALSE(registry->key_exists(root, missing_key));
    EXPECT_FALSE(registry->read_string(root, missing_key, name));
    EXPECT_FALSE(registry->write_string(root, missing_key, name, "value"));
    EXPECT_FALSE(registry->delete_value(root, missing_key, name));
    EXPECT_FALSE(registry->key_exists(root, missing_key));
    EXPECT_FALSE(registry->key_exists(root, "\\Software\\Tapwrenz Test Missing Key"));
  }
}

TEST_F(Registry_Test, ShellFoldersHoldTheUsersFolders) {
  // The program spells the key with a capital S in "MicroSoft"; keys are
  // case-insensitive.
  for (const std::string key :
       {"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "\\Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"}) {
    EXPECT_TRUE(registry->key_exists(Registry_Root::Current_User, key));
    for (const char* folder : {"Desktop", "Start Menu", "SendTo"}) {
      auto path = registry->read_string(Registry_Root::Current_User, key, folder);
      ASSERT_TRUE(path) << folder;
      EXPECT_GE(path->size(), 3u) << folder;
      EXPECT_EQ(path->substr(1, 2), ":\\") << *path;
    }
  }
}

TEST_F(Registry_Test, ValueOfAnotherTypeIsNoString) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, run_key.c_str() + 1, 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  DWORD number = 7;
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                           sizeof number),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_FALSE(registry->read_string(Registry_Root::Local_Machine, run_key, name));
}

}  // namespace
