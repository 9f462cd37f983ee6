// Starting the desktop's "open" command, or a known text editor without it:
// a fake first on PATH records the arguments it was given.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "platform/processes.h"

namespace fs = std::filesystem;

namespace {

class Linux_Processes_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/processes_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    log_ = folder_ / "arguments.log";
    write_recorder(folder_ / "xdg-open");
    const char* path = std::getenv("PATH");
    old_path_ = path ? path : "";
    setenv("PATH", (folder_.string() + ":" + old_path_).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", old_path_.c_str(), 1);
    fs::remove_all(folder_);
  }

  // A program that records its arguments in the log; it needs nothing on PATH.
  void write_recorder(const fs::path& script) {
    const std::string partial = (folder_ / "partial").string();
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > '"
                          << partial << "'\n/bin/mv '" << partial << "' '" << log_.string()
                          << "'\n";
    chmod(script.c_str(), 0755);
  }

  // What the fake was called with, once it has finished.
  std::string logged_arguments() {
    for (int i = 0; i < 500 && !fs::exists(log_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder_;
  fs::path log_;
  std::string old_path_;
};

TEST_F(Linux_Processes_Test, OpensAddressesAsOneArgumentWithoutAShell) {
  const auto processes = make_system_processes();
  const std::string mail = "mailto:tapwren@example.com?subject=Shareware: tapwrenz; echo $HOME";
  ASSERT_TRUE(processes->open_url(mail));
  EXPECT_EQ(logged_arguments(), "[" + mail + "]");
}

TEST_F(Linux_Processes_Test, StartsTheViewerOnAFileAndReportsWhereItIs) {
  const auto processes = make_system_processes();
  EXPECT_EQ(processes->text_editor_path(), (folder_ / "xdg-open").string());
  ASSERT_TRUE(processes->start_text_editor("/opt/my programs/tapwrenz.txt"));
  EXPECT_EQ(logged_arguments(), "[/opt/my programs/tapwrenz.txt]");
  fs::remove(log_);
  ASSERT_TRUE(processes->start_text_editor("-notes.txt"));
  EXPECT_EQ(logged_arguments(), "[./-notes.txt]");
}

TEST_F(Linux_Processes_Test, WithoutTheOpenerTheFirstKnownEditorOnPathShowsTheFile) {
  const fs::path editors = folder_ / "editors";
  fs::create_directory(editors);
  std::ofstream(editors / "mousepad") << "#!/bin/sh\n";
  chmod((editors / "mousepad").c_str(), 0755);
  write_recorder(editors / "gedit");
  setenv("PATH", editors.c_str(), 1);
  const auto processes = make_system_processes();
  EXPECT_EQ(processes->text_editor_path(), (editors / "gedit").string());
  ASSERT_TRUE(processes->start_text_editor("/opt/my programs/tapwrenz.txt"));
  EXPECT_EQ(logged_arguments(), "[/opt/my programs/tapwrenz.txt]");
  // Addresses are the opener's alone.
  EXPECT_FALSE(processes->open_url("https://www.example.com/tapwren"));
}

// An opener that finds no viewer says so only in its exit status; the
// caller hears of it, for a file and for an address alike.
TEST_F(Linux_Processes_Test, AnOpenerEndingWithAnErrorIsReportedWithItsMeaning) {
  const auto processes = make_system_processes();
  EXPECT_EQ(processes->text_editor_name(), "xdg-open");
  EXPECT_EQ(processes->url_opener_name(), "xdg-open");
  const struct {
    const char* script;
    std::string reason;
  } cases[] = {
      {"exit 3", "xdg-open found no program to open it with (exit status 3)"},
      {"exit 4", "xdg-open's attempt to open it failed (exit status 4)"},
      {"exit 9", "xdg-open ended with an error (exit status 9)"},
      {"kill -TERM $$", "xdg-open was ended by signal 15"},
      {"exit 0", ""},
  };
  for (const auto& c : cases) {
    std::ofstream(folder_ / "xdg-open") << "#!/bin/sh\n" << c.script << "\n";
    for (bool address : {false, true}) {
      // Shared with the watching thread, which may outlive a failed wait.
      const auto reason = std::make_shared<std::promise<std::string>>();
      const auto failed = [reason](const std::string& why) { reason->set_value(why); };
      ASSERT_TRUE(address ? processes->open_url("https://www.example.com/tapwren", failed)
                          : processes->start_text_editor("/tmp/tapwrenz.txt", failed));
      auto heard = reason->get_future();
      if (c.reason.empty()) {
        // A clean end says nothing; the wait is for a report that never comes.
        EXPECT_EQ(heard.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
      } else {
        ASSERT_EQ(heard.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.script;
        EXPECT_EQ(heard.get(), c.reason) << c.script;
      }
    }
  }
}

TEST_F(Linux_Processes_Test, NothingToStartOrNothingToOpenIsAFailure) {
  const auto processes = make_system_processes();
  EXPECT_FALSE(processes->open_url(""));
  EXPECT_FALSE(processes->open_url("--help"));
  setenv("PATH", "/nonexistent", 1);
  EXPECT_EQ(processes->text_editor_path(), "");
  EXPECT_FALSE(processes->open_url("https://www.example.com/tapwren"));
  EXPECT_FALSE(processes->start_text_editor("/tmp/x.txt"));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(log_));
}

}  // namespace
