#include "platform/shell_link.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(Windows_Shell_Links, SaveAndReadBack) {
  char temp[MAX_PATH + 1] = {}, self[MAX_PATH + 1] = {};
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
  const std::string folder =
      temp + std::string("tapwrenz_links_") + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  auto links = make_system_shell_links();
  const std::string link = folder + "\\Tapwrenz" + links->extension();
  const std::string other = folder + "\\other.exe";
  CloseHandle(CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  ASSERT_TRUE(links->save(link, self));
  EXPECT_EQ(lstrcmpiA(links->target_of(link).value_or("").c_str(), self), 0);
  ASSERT_TRUE(links->save(link, other)) << "an existing link is overwritten";
  EXPECT_EQ(lstrcmpiA(links->target_of(link).value_or("").c_str(), other.c_str()), 0);

  EXPECT_FALSE(links->save(folder + "\\missing\\Tapwrenz.lnk", self));
  EXPECT_FALSE(links->target_of(other)) << "a file that is no link";
  EXPECT_FALSE(links->target_of(folder + "\\missing.lnk"));

  DeleteFileA(link.c_str());
  DeleteFileA(other.c_str());
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str())) << "a file was left behind";
}

}  // namespace
