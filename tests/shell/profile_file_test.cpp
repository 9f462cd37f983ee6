#include "shell/profile_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class Profile_File_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() / ("tapwrenz_profile_" + std::string(test->name()) + "_" +
                                          std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    fs::remove_all(folder);
    fs::create_directories(folder);
    path = (folder / "t.ini").string();
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder, ec);
  }

  void put(const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string bytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Everything in the folder but the file itself: left-over temporary files.
  int strays() const {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder)) n += entry.path() != fs::path(path);
    return n;
  }
  std::string read(const std::string& section, const std::string& key) const {
    return read_profile_string(path, section, key, "<default>");
  }

  fs::path folder;
  std::string path;
};

TEST_F(Profile_File_Test, WritesCreateFileSectionAndCrlfLinesInOrder) {
  ASSERT_TRUE(write_profile_string(path, "tapwrenz", "a", "1"));
  ASSERT_TRUE(write_profile_string(path, "tapwrenz", "B", "two words"));
  ASSERT_TRUE(write_profile_string(path, "other", "c", ""));
  ASSERT_TRUE(write_profile_string(path, "TAPWRENZ", "d", "4"));
  EXPECT_EQ(bytes(), "[tapwrenz]\r\na=1\r\nB=two words\r\nd=4\r\n[other]\r\nc=\r\n");
  EXPECT_EQ(read("Tapwrenz", "b"), "two words");
  EXPECT_EQ(read("other", "c"), "");
  EXPECT_EQ(strays(), 0);
}

TEST_F(Profile_File_Test, UpdateInPlaceKeepsEveryOtherByteAndTheFilesSpelling) {
  const std::string head =
      "\xEF\xBB\xBF"
      "stray=before any section\n"
      "; a comment\r\n"
      "\r\n"
      "  [ TapWrenZ ]  \n"
      "\tOther = x y \r\n"
      "odd=\x80\xFF\x01\r tail\r\n";
  const std::string tail =
      "\n"
      "no equals sign here\r\n"
      "[next]\n"
      "Window_Top_Posn=99";
  put(head + "  WINDOW_top_POSN = 5 \n" + tail);
  EXPECT_EQ(read_profile_int(path, "tapwrenz", "window_top_posn", 0), 5);
  ASSERT_TRUE(write_profile_string(path, "tapwrenz", "window_top_posn", "7"));
  EXPECT_EQ(bytes(), head + "WINDOW_top_POSN=7\n" + tail);

  EXPECT_EQ(read("tapwrenz", "other"), "x y");
  EXPECT_EQ(read("tapwrenz", "odd"), "\x80\xFF\x01\r tail");
  EXPECT_EQ(read("tapwrenz", "stray"), "<default>");
  EXPECT_EQ(read("tapwrenz", "no equals sign here"), "<default>");
  EXPECT_EQ(read("next", "window_top_posn"), "99");

  ASSERT_TRUE(write_profile_string(path, "tapwrenz", "window_top_posn", "7"));
  EXPECT_EQ(bytes(), head + "WINDOW_top_POSN=7\n" + tail) << "writing the same value again";
}

TEST_F(Profile_File_Test, NewKeysFollowTheLastFilledLineOfTheirSection) {
  put("[a]\r\nx=1\r\n; note\r\n\r\n\r\n[b]\r\ny=2");
  ASSERT_TRUE(write_profile_string(path, "A", "z", "3"));
  ASSERT_TRUE(write_profile_string(path, "b", "w", "4"));
  EXPECT_EQ(bytes(), "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n\r\n[b]\r\ny=2\r\nw=4\r\n");

  put("[a]\r\nx=1");
  ASSERT_TRUE(write_profile_string(path, "new", "k", "v"));
  EXPECT_EQ(bytes(), "[a]\r\nx=1\r\n[new]\r\nk=v\r\n");
  put("[empty]");
  ASSERT_TRUE(write_profile_string(path, "empty", "k", "v"));
  EXPECT_EQ(bytes(), "[empty]\r\nk=v\r\n");
}

TEST_F(Profile_File_Test, FirstSectionAndFirstKeyWin) {
  put("[s]\r\nk=first\r\nK=second\r\n[t]\r\n[S]\r\nk=third\r\nonly=later\r\n");
  EXPECT_EQ(read("s", "k"), "first");
  EXPECT_EQ(read("s", "only"), "<default>");
  ASSERT_TRUE(write_profile_string(path, "s", "K", "new"));
  ASSERT_TRUE(write_profile_string(path, "s", "only", "1"));
  EXPECT_EQ(bytes(),
            "[s]\r\nk=new\r\nK=second\r\nonly=1\r\n[t]\r\n[S]\r\nk=third\r\nonly=later\r\n");
}

TEST_F(Profile_File_Test, ValuesLoseBlanksAndOnePairOfMatchingQuotes) {
  put("[s]\r\n"
      "a=\"quoted\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\"inner\"\"\r\ne=\"\r\n"
      "f=  \" spaced \"  \r\ng=x=y\r\n;h=comment\r\n");
  EXPECT_EQ(read("s", "a"), "quoted");
  EXPECT_EQ(read("s", "b"), "single");
  EXPECT_EQ(read("s", "c"), "\"mixed'");
  EXPECT_EQ(read("s", "d"), "\"inner\"");
  EXPECT_EQ(read("s", "e"), "\"");
  EXPECT_EQ(read("s", "f"), " spaced ");
  EXPECT_EQ(read("s", "g"), "x=y");
  EXPECT_EQ(read("s", "h"), "<default>");
  EXPECT_EQ(read("s", ";h"), "comment") << "a comment is a key nobody asks for";
}

TEST_F(Profile_File_Test, StringsAreReadUpTo2047Characters) {
  const std::string long_value = std::string(2047, 'a') + "bcd";
  ASSERT_TRUE(write_profile_string(path, "s", "k", long_value));
  EXPECT_EQ(bytes(), "[s]\r\nk=" + long_value + "\r\n") << "written whole";
  EXPECT_EQ(read("s", "k"), std::string(2047, 'a'));
  EXPECT_EQ(read_profile_string(path, "s", "missing", long_value), std::string(2047, 'a'));
  ASSERT_TRUE(write_profile_string(path, "s", "k", std::string(2047, 'z')));
  EXPECT_EQ(read("s", "k"), std::string(2047, 'z'));
}

TEST_F(Profile_File_Test, IntegersAreDecimalOrHexAndAnythingElseIsTheDefault) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12},
      {" -5 ", -5},
      {"+7", 7},
      {"0x1F", 31},
      {"0XfF", 255},
      {"\"15\"", 15},
      {"0xFFFFFFFF", -1},
      {"0x7fffffff", INT_MAX},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {"", -42},
      {"abc", -42},
      {"12abc", -42},
      {"1 2", -42},
      {"0x", -42},
      {"0x1G", -42},
      {"0x100000000", -42},
      {"-0x5", -42},
      {"1.5", -42},
      {"-", -42},
  };
  for (const auto& [text, expected] : cases) {
    put(std::string("[s]\r\nk=") + text + "\r\n");
    EXPECT_EQ(read_profile_int(path, "s", "k", -42), expected) << '"' << text << '"';
  }
  EXPECT_EQ(read_profile_int(path, "s", "missing", 3), 3);
  EXPECT_EQ(read_profile_int((folder / "none.ini").string(), "s", "k", 4), 4);
}

TEST_F(Profile_File_Test, FailedWritesLeaveTheOldFileWhole) {
  const std::string old = "[s]\r\nk=old\r\n";
  put(old);
  // Text the format cannot hold would split the line into other keys.
  EXPECT_FALSE(write_profile_string(path, "s", "k", "a\r\nx=injected"));
  EXPECT_FALSE(write_profile_string(path, "s", "k", std::string("a\0b", 3)));
  EXPECT_FALSE(write_profile_string(path, "s", "k=j", "v"));
  EXPECT_FALSE(write_profile_string(path, "s]", "k", "v"));
  EXPECT_FALSE(write_profile_string(path, "s", "", "v"));
  EXPECT_FALSE(write_profile_string(path, "s", "[k", "v"));
  EXPECT_EQ(bytes(), old);

  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(write_profile_string(path, "s", "k", "new")) << "a read-only file stays";
  EXPECT_EQ(bytes(), old);
  EXPECT_EQ(read("s", "k"), "old");

  EXPECT_FALSE(write_profile_string((folder / "no" / "t.ini").string(), "s", "k", "v"));
  EXPECT_FALSE(write_profile_string(path + "/t.ini", "s", "k", "v")) << "the folder is a file";
  fs::create_directory(folder / "dir.ini");
  EXPECT_FALSE(write_profile_string((folder / "dir.ini").string(), "s", "k", "v"));
  fs::remove(folder / "dir.ini");
  EXPECT_EQ(strays(), 0);
}

// The fuzz target works on the bytes in memory: they must behave as the file.
TEST_F(Profile_File_Test, BytesInMemoryReadAndWriteAsTheFile) {
  const std::string old_bytes = "\xEF\xBB\xBF[S]\nk = ' v '\nn=0x1A\n[t]\r\nk=2";
  put(old_bytes);
  EXPECT_EQ(profile_string_in(old_bytes, "s", "K", "-"), read_profile_string(path, "s", "K", "-"));
  EXPECT_EQ(profile_int_in(old_bytes, "s", "n", 0), 26);
  for (const auto& [section, key] : {std::pair{"s", "k"}, {"t", "new"}, {"u", "k"}}) {
    put(old_bytes);
    ASSERT_TRUE(write_profile_string(path, section, key, "x"));
    EXPECT_EQ(profile_with_key_set(old_bytes, section, key, "x"), bytes()) << section << key;
  }
  EXPECT_EQ(profile_with_key_set(old_bytes, "s", "a=b", "x"), std::nullopt);
  EXPECT_EQ(profile_with_key_set(old_bytes, "s", "k", "line\nbreak"), std::nullopt);
}

#ifndef _WIN32
TEST_F(Profile_File_Test, ReplacementKeepsThePermissions) {
  put("[s]\r\nk=1\r\n");
  const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(path, mode);
  ASSERT_TRUE(write_profile_string(path, "s", "k", "2"));
  EXPECT_EQ(fs::status(path).permissions(), mode);
  EXPECT_EQ(bytes(), "[s]\r\nk=2\r\n");
}
#endif

}  // namespace
