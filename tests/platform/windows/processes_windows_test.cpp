#include "platform/processes.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

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
