#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

enum class Lock_Kind { Whole_File, Record };

// A child process that locks a file and keeps the lock until released; the
// parent waits for its word that the lock is taken, so nothing depends on
// timing.
class Locking_Child {
 public:
  Locking_Child(const std::string& path, Lock_Kind kind) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      close(release[1]);
      const int fd = open(path.c_str(), O_RDWR);
      bool locked = false;
      if (fd >= 0 && kind == Lock_Kind::Whole_File) {
        locked = flock(fd, LOCK_EX) == 0;
      } else if (fd >= 0) {
        struct flock record {};
        record.l_type = F_WRLCK;
        record.l_whence = SEEK_SET;
        record.l_start = 0;
        record.l_len = 1;
        locked = fcntl(fd, F_SETLK, &record) == 0;
      }
      const char word = locked ? 'L' : 'F';
      if (write(ready[1], &word, 1) != 1) _exit(2);
      char ignored;
      while (read(release[0], &ignored, 1) > 0) {
      }
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char word = 0;
    locked_ = read(ready[0], &word, 1) == 1 && word == 'L';
    close(ready[0]);
  }
  ~Locking_Child() { release(); }
  bool locked() const { return locked_; }
  // Ends the child; its lock goes with it.
  void release() {
    if (release_ >= 0) close(release_);
    release_ = -1;
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

class Linux_Files_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("tapwrenz_files_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
              std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    path = (folder / "a.ini").string();
    std::ofstream(path) << "x";
  }
  void TearDown() override { fs::remove_all(folder); }

  std::unique_ptr<Files> files = make_system_files();
  fs::path folder;
  std::string path;
};

TEST_F(Linux_Files_Test, ALockOfAnotherProcessMeansHeld) {
  EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Opened);
  EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Opened) << "the probe let go";
  for (Lock_Kind kind : {Lock_Kind::Whole_File, Lock_Kind::Record}) {
    Locking_Child child(path, kind);
    ASSERT_TRUE(child.locked());
    EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Held);
    EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Held);
    child.release();
    EXPECT_EQ(files->open_exclusive(path), Exclusive_Open::Opened);
  }
}

TEST_F(Linux_Files_Test, OpenOutcomesOfMissingAndOddPaths) {
  EXPECT_EQ(files->open_exclusive((folder / "missing").string()), Exclusive_Open::Not_Found);
  EXPECT_EQ(files->open_exclusive((folder / "no" / "a").string()), Exclusive_Open::Not_Found);
  EXPECT_EQ(files->open_exclusive(path + "/a"), Exclusive_Open::Not_Found);
  EXPECT_EQ(files->open_exclusive(folder.string()), Exclusive_Open::Failed);
  EXPECT_TRUE(files->exists(path));
  EXPECT_FALSE(files->exists(folder.string())) << "a folder is no file";
  EXPECT_FALSE(files->exists((folder / "missing").string()));
}

TEST_F(Linux_Files_Test, ReadOnlyIsTheWriteBitAndHiddenIsTheDot) {
  EXPECT_EQ(files->attributes(path), File_Attributes{});
  ASSERT_TRUE(files->set_attributes(path, {.read_only = true}));
  EXPECT_EQ(files->attributes(path), File_Attributes{.read_only = true});
  const fs::perms write_bits =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  EXPECT_EQ(fs::status(path).permissions() & write_bits, fs::perms::none);
  ASSERT_TRUE(files->set_attributes(path, {}));
  EXPECT_NE(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);

  EXPECT_FALSE(files->set_attributes(path, {.archive = true}));
  EXPECT_FALSE(files->set_attributes(path, {.system = true}));
  EXPECT_FALSE(files->set_attributes(path, {.hidden = true}));
  EXPECT_EQ(files->attributes(path), File_Attributes{});

  const std::string dotted = (folder / ".hidden").string();
  std::ofstream(dotted) << "x";
  EXPECT_EQ(files->attributes(dotted), File_Attributes{.hidden = true});
  EXPECT_TRUE(files->set_attributes(dotted, {.read_only = true, .hidden = true}));
  EXPECT_FALSE(files->set_attributes(dotted, {}));

  EXPECT_FALSE(files->attributes((folder / "missing").string()));
  EXPECT_FALSE(files->set_attributes((folder / "missing").string(), {}));
}

TEST_F(Linux_Files_Test, RemoveDeletesTheFile) {
  EXPECT_TRUE(files->remove(path));
  EXPECT_FALSE(files->exists(path));
  EXPECT_FALSE(files->remove(path));
  EXPECT_FALSE(files->remove(folder.string()));
  EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
