#include "platform/memory_status.h"
#include "platform/processes.h"

#include <gtest/gtest.h>

#include <algorithm>
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
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  ASSERT_GT(path.size(), std::string(":\\notepad.exe").size());
  EXPECT_EQ(path.substr(path.size() - 12), "\\notepad.exe");
  EXPECT_EQ(path.find("\\\\"), std::string::npos) << path;
  EXPECT_FALSE(processes->open_url(""));
}

}  // namespace
