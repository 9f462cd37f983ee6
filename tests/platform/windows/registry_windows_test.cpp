#include "platform/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const auto hklm = Registry_Root::Local_Machine;
const std::string run_key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Registry_Test : public ::testing::Test {
 protected:
  void TearDown() override { registry->delete_value(hklm, run_key, name); }

  std::unique_ptr<Registry> registry = make_system_registry();
  const std::string name = "tapwrenz_test_" + std::to_string(GetCurrentProcessId()) + ".exe";
};

TEST_F(Registry_Test, ValuesAreWrittenReadBackAndDeleted) {
  const std::string bare = run_key.substr(1);
  ASSERT_TRUE(registry->key_exists(hklm, run_key));
  EXPECT_TRUE(registry->key_exists(hklm, bare));
  EXPECT_FALSE(registry->read_string(hklm, run_key, name));

  std::string long_value(5000, 'x');
  for (size_t i = 0; i < long_value.size(); ++i) long_value[i] = static_cast<char>('a' + i % 26);
  ASSERT_TRUE(registry->write_string(hklm, run_key, name, long_value));
  EXPECT_EQ(registry->read_string(hklm, bare, name), long_value);
  // A shorter value leaves nothing of the longer one behind.
  ASSERT_TRUE(registry->write_string(hklm, bare, name, "C:\\t.exe"));
  EXPECT_EQ(registry->read_string(hklm, run_key, name), "C:\\t.exe");

  EXPECT_TRUE(registry->delete_value(hklm, bare, name));
  EXPECT_FALSE(registry->read_string(hklm, run_key, name));
  EXPECT_TRUE(registry->delete_value(hklm, run_key, name)) << "an absent value is no failure";
}

TEST_F(Registry_Test, ValueStoredWithoutItsNulReadsWhole) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, run_key.c_str() + 1, 0, KEY_ALL_ACCESS, &key), 0);
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
  RegCloseKey(key);
  EXPECT_EQ(registry->read_string(hklm, run_key, name), "abc");
}

TEST_F(Registry_Test, MissingKeyIsAbsentAndNeverCreated) {
  const std::string parent = "\\Software\\Tapwrenz Test Missing Key";
  for (auto root : {Registry_Root::Current_User, hklm}) {
    EXPECT_FALSE(registry->read_string(root, parent + "\\Below", name));
    EXPECT_FALSE(registry->write_string(root, parent + "\\Below", name, "value"));
    EXPECT_FALSE(registry->delete_value(root, parent + "\\Below", name));
    EXPECT_FALSE(registry->key_exists(root, parent + "\\Below"));
    EXPECT_FALSE(registry->key_exists(root, parent));
  }
}

TEST_F(Registry_Test, ShellFoldersHoldTheUsersFolders) {
  // Keys are case-insensitive; the program spells this one "MicroSoft".
  for (const char* company : {"Microsoft", "MicroSoft"}) {
    const std::string key = std::string("\\Software\\") + company +
                            "\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    for (const char* folder : {"Desktop", "Start Menu", "SendTo"}) {
      auto path = registry->read_string(Registry_Root::Current_User, key, folder);
      ASSERT_TRUE(path) << key << " " << folder;
      EXPECT_EQ(path->substr(1, 2), ":\\") << *path;
    }
  }
}

}  // namespace
