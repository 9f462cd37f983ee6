#include "platform/files.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

HANDLE create(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

class Files_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    base = temp + std::string("tapwrenz_files_") + std::to_string(GetCurrentProcessId());
    CloseHandle(create(path = base + ".txt"));
  }
  void TearDown() override {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }

  std::unique_ptr<Files> files = make_system_files();
  std::string base, path;
};

TEST_F(Files_Test, ExclusiveProbe) {
  HANDLE held = create(path);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Held);
  CloseHandle(held);
  EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Opened);
  EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Opened) << "the probe closed its handle";
  EXPECT_EQ(files->open_exclusive(base + ".missing"), Exclusive_Open::Not_Found);
  EXPECT_EQ(files->open_exclusive(base + "\\missing.txt"), Exclusive_Open::Not_Found);

  const std::string long_path = base + std::string(130, 'a') + ".txt";
  CloseHandle(create(long_path));
  EXPECT_EQ(files->open_exclusive(long_path), Exclusive_Open::Failed);
  EXPECT_TRUE(files->remove(long_path));
}

// Wine reports every file as archive whatever was set, and lets root open a
// read-only file for writing; neither is checked here.
TEST_F(Files_Test, AttributesAreSetExactlyAndGuardDeletion) {
  auto read = [&] {
    auto a = files->attributes(path);
    if (a) a->archive = false;
    return a;
  };
  ASSERT_TRUE(files->set_attributes(path, {.read_only = true, .hidden = true}));
  EXPECT_EQ(read(), (File_Attributes{.read_only = true, .hidden = true}));
  EXPECT_FALSE(files->remove(path));
  ASSERT_TRUE(files->set_attributes(path, {.archive = true, .system = true}));
  EXPECT_EQ(read(), (File_Attributes{.system = true}));
  ASSERT_TRUE(files->set_attributes(path, {}));
  EXPECT_EQ(read(), File_Attributes{});
  EXPECT_TRUE(files->exists(path));
  EXPECT_TRUE(files->remove(path));
  EXPECT_FALSE(files->exists(path));
  EXPECT_FALSE(files->attributes(path));
  EXPECT_FALSE(files->exists(base.substr(0, base.rfind('\\')))) << "a folder is no file";
}

}  // namespace
