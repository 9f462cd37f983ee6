#include "platform/shell_link.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

class Shell_Link_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    static int counter = 0;
    folder = std::string(temp) + "tapwrenz_links_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(++counter);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    char self[MAX_PATH + 1] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    target = self;
  }
  void TearDown() override {
    for (const std::string& name : files_in_folder()) DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  std::vector<std::string> files_in_folder() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

  std::unique_ptr<Shell_Links> links = make_system_shell_links();
  std::string folder;
  std::string target;
};

TEST_F(Shell_Link_Test, SavedLinkLeadsToItsTargetAndSavingAgainOverwrites) {
  EXPECT_EQ(links->extension(), ".lnk");
  const std::string link = folder + "\\Tapwrenz" + links->extension();
  ASSERT_TRUE(links->save(link, target));
  auto read = links->target_of(link);
  ASSERT_TRUE(read);
  EXPECT_EQ(lower(*read), lower(target));

  // A second save replaces the first; the new target is the one read back.
  const std::string other = folder + "\\other.exe";
  HANDLE h = CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  ASSERT_TRUE(links->save(link, other));
  read = links->target_of(link);
  ASSERT_TRUE(read);
  EXPECT_EQ(lower(*read), lower(other));
  EXPECT_EQ(files_in_folder().size(), 2u) << "the link and other.exe";
}

TEST_F(Shell_Link_Test, SaveIntoMissingFolderFails) {
  const std::string link = folder + "\\missing\\Tapwrenz.lnk";
  EXPECT_FALSE(links->save(link, target));
  EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(files_in_folder().empty());
}

TEST_F(Shell_Link_Test, FileThatIsNoLinkHasNoTarget) {
  const std::string text = folder + "\\notes.lnk";
  HANDLE h = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, "not a shortcut at all", 21, &written, nullptr);
  CloseHandle(h);
  EXPECT_FALSE(links->target_of(text));
  EXPECT_FALSE(links->target_of(folder + "\\missing.lnk"));
}

}  // namespace
