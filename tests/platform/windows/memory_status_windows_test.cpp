#include "platform/memory_status.h"
#include "platform/processes.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

TEST(Windows_Memory_Meter, ReadsPlausibleFigures) {
  const Memory_Status status = make_system_memory_meter()->read();
  EXPECT_GE(status.total_physical, 64ull << 20);
  EXPECT_LE(status.total_physical, 64ull << 40);
  EXPECT_GT(status.available_physical, 0u);
  EXPECT_LE(status.available_physical, status.total_physical);
  EXPECT_GT(status.total_page_file, 0u);
  EXPECT_LE(status.available_page_file, status.total_page_file);
}

// Starts nothing: only what can be checked without another program running.
TEST(Windows_Processes, EditorPathAndEmptyAddress) {
  auto processes = make_system_processes();
  std::string path = processes->text_editor_path();
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ASSERT_GT(path.size(), 15u);
  EXPECT_EQ(path.substr(1, 2), ":\\");
  EXPECT_EQ(path.substr(path.size() - 13), "s\\notepad.exe") << path;
  EXPECT_FALSE(processes->open_url(""));
}

}  // namespace
