#include "shell/file_status.h"

#include <gtest/gtest.h>

#include "fakes/fake_files.h"

namespace {

TEST(FileStatus, EachOpenOutcomeHasItsText) {
  Fake_Files files;
  const std::pair<Exclusive_Open, const char*> cases[] = {
      {Exclusive_Open::Opened, "CLOSED"},
      {Exclusive_Open::Not_Found, "NOT FOUND"},
      {Exclusive_Open::Held, "OPEN"},
      {Exclusive_Open::Failed, "ERROR"},
  };
  for (const auto& [outcome, text] : cases) {
    files.files["c:\\a.ini"].open = outcome;
    EXPECT_EQ(Get_File_Status(files, "c:\\a.ini"), text);
  }
}

TEST(FileStatus, NoNameNoFileAndLongPaths) {
  Fake_Files files;
  EXPECT_EQ(Get_File_Status(files, ""), "");
  EXPECT_TRUE(files.calls.empty());
  EXPECT_EQ(Get_File_Status(files, "missing.ini"), "");
  EXPECT_EQ(files.calls, std::vector<std::string>{"exists:missing.ini"});

  const std::string just_short(127, 'a');
  files.files[just_short].open = Exclusive_Open::Held;
  EXPECT_EQ(Get_File_Status(files, just_short), "OPEN");
  const std::string long_path(128, 'a');
  files.files[long_path].open = Exclusive_Open::Held;
  files.calls.clear();
  EXPECT_EQ(Get_File_Status(files, long_path), "CLOSED");
  EXPECT_EQ(Get_File_Status(files, long_path + "/missing"), "CLOSED");
  EXPECT_TRUE(files.calls.empty()) << "a long path is not looked at";
}

TEST(FileStatus, AttributesAreSetAndCheckedByReadingBack) {
  Fake_Files files;
  EXPECT_FALSE(Set_File_Attributes(files, "missing", true, false, false, false));
  EXPECT_EQ(files.calls, std::vector<std::string>{"exists:missing"}) << "nothing changed";

  files.files["f"].attributes = {.archive = true, .hidden = true};
  EXPECT_TRUE(Set_File_Attributes(files, "f", true, false, true, false));
  EXPECT_EQ(files.files["f"].attributes, (File_Attributes{.read_only = true, .system = true}));

  files.files["f"].keeps_archive = true;
  EXPECT_FALSE(Set_File_Attributes(files, "f", false, false, false, false));
  EXPECT_TRUE(Set_File_Attributes(files, "f", false, true, false, false));
}

TEST(FileStatus, DeleteClearsAttributesAndSparesHeldFiles) {
  Fake_Files files;
  EXPECT_FALSE(Delete_Closed_File(files, "missing"));

  files.files["ro"].attributes = {.read_only = true, .archive = true, .hidden = true};
  files.files["ro"].keeps_archive = true;  // clearing does not fully succeed; deletion goes on
  EXPECT_TRUE(Delete_Closed_File(files, "ro"));
  EXPECT_EQ(files.files.count("ro"), 0u);

  files.files["held"] = {.attributes = {.read_only = true}, .open = Exclusive_Open::Held};
  EXPECT_FALSE(Delete_Closed_File(files, "held"));
  ASSERT_EQ(files.files.count("held"), 1u);
  EXPECT_EQ(files.files["held"].attributes, File_Attributes{}) << "cleared before the check";

  files.files["broken"].open = Exclusive_Open::Failed;
  EXPECT_FALSE(Delete_Closed_File(files, "broken"));
  EXPECT_EQ(files.files.count("broken"), 1u);

  files.files["stuck"].undeletable = true;
  EXPECT_FALSE(Delete_Closed_File(files, "stuck")) << "true only when the file is gone";

  const std::string long_path(130, 'x');
  files.files[long_path].open = Exclusive_Open::Held;
  EXPECT_TRUE(Delete_Closed_File(files, long_path)) << "a long path counts as closed";
}

}  // namespace
