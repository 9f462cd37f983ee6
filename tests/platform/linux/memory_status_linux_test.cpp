// The /proc/meminfo memory meter, on the real file and on files of our own.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/linux/meminfo.h"
#include "platform/memory_status.h"

namespace {

class Meminfo_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/meminfo_test_XXXXXX";
    const int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    close(fd);
    path_ = pattern;
  }
  void TearDown() override { std::remove(path_.c_str()); }

  Memory_Status read(const std::string& contents) {
    std::ofstream(path_, std::ios::trunc) << contents;
    return make_meminfo_memory_meter(path_)->read();
  }

  std::string path_;
};

TEST(Linux_Memory_Meter, ReadsPlausibleFiguresFromTheSystem) {
  const Memory_Status status = make_system_memory_meter()->read();
  EXPECT_GE(status.total_physical, 64ull << 20);
  EXPECT_GT(status.available_physical, 0u);
  EXPECT_LE(status.available_physical, status.total_physical);
  EXPECT_LE(status.available_page_file, status.total_page_file);
}

TEST_F(Meminfo_Test, TakesTotalsAndAvailableMemoryInBytes) {
  const Memory_Status s = read(
      "MemTotal:       16303412 kB\n"
      "MemFree:         1000000 kB\n"
      "MemAvailable:    9000000 kB\n"
      "Buffers:          200000 kB\n"
      "Cached:          3000000 kB\n"
      "SwapTotal:       2097148 kB\n"
      "SwapFree:        2000000 kB\n"
      "HugePages_Total:       0\n");
  EXPECT_EQ(s.total_physical, 16303412ull * 1024);
  EXPECT_EQ(s.available_physical, 9000000ull * 1024);
  EXPECT_EQ(s.total_page_file, 2097148ull * 1024);
  EXPECT_EQ(s.available_page_file, 2000000ull * 1024);
}

TEST_F(Meminfo_Test, WithoutMemAvailableAddsFreeBuffersAndCache) {
  const Memory_Status s = read(
      "MemTotal: 8000 kB\nMemFree: 1000 kB\nBuffers: 200 kB\nCached: 3000 kB\n"
      "SwapTotal: 0 kB\nSwapFree: 0 kB\n");
  EXPECT_EQ(s.available_physical, 4200ull * 1024);
  EXPECT_EQ(s.total_page_file, 0u);
}

TEST_F(Meminfo_Test, MissingOrOddFilesGiveZerosOrSkipTheOddLines) {
  EXPECT_EQ(make_meminfo_memory_meter("/nonexistent/meminfo")->read().total_physical, 0u);
  for (const char* odd :
       {"", "garbage\n\n:::\n", "MemTotal: lots kB\n", "MemTotal: -5 kB\n",
        "MemTotal: 99999999999999999999999 kB\n", "MemTotal: 18446744073709551615 kB\n"}) {
    const Memory_Status s = read(odd);
    EXPECT_EQ(s.total_physical, 0u) << odd;
    EXPECT_EQ(s.available_physical, 0u) << odd;
    EXPECT_EQ(s.total_page_file, 0u) << odd;
    EXPECT_EQ(s.available_page_file, 0u) << odd;
  }
  // A good total with odd neighbours: the odd lines count for nothing, and
  // no "available" figure exceeds its total.
  const Memory_Status s =
      read("MemTotal: 1000 kB\nMemAvailable: 5000 kB\nSwapFree: 7 kB\nSwapTotal: x kB\n");
  EXPECT_EQ(s.total_physical, 1000ull * 1024);
  EXPECT_EQ(s.available_physical, s.total_physical);
  EXPECT_EQ(s.total_page_file, 0u);
  EXPECT_EQ(s.available_page_file, 0u);
}

}  // namespace
