#include "platform/memory_status.h"

#include <gtest/gtest.h>

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

}  // namespace
