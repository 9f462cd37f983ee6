// Settings files the program did not write, and a folder that stops taking writes: the
// window starts with what it can read, the close keeps every line it does not own, and a
// failed write is reported without losing the old file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <random>

#include "hostile/hostile_window.h"

namespace {

using Damaged_Settings = Hostile_Window;
namespace fs = std::filesystem;

const QRect kDefault_Frame(10, 10, 636, 505);

std::string random_bytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string bytes(n, '\0');
  for (char& b : bytes) b = static_cast<char>(gen());
  return bytes;
}

TEST_F(Damaged_Settings, RandomBytesGiveTheDefaultsAndStayInFront) {
  const std::string garbage = random_bytes(64 << 10, 7);
  write_file(ini(), garbage);
  auto form = make_form();
  form->show();
  EXPECT_EQ(form->frameGeometry(), kDefault_Frame);
  EXPECT_EQ(form->Letter_Input_Delay_Millisec_SpinEdit->value(), 400);
  form->Letter_Playback_Delay_Millisec_SpinEdit->setValue(123);
  form->close();
  ASSERT_FALSE(form->isVisible());

  const std::string saved = read_file(ini());
  EXPECT_EQ(saved.substr(0, garbage.size()), garbage);  // the foreign bytes stay, in front
  auto again = make_form();
  again->show();
  EXPECT_EQ(again->Letter_Playback_Delay_Millisec_SpinEdit->value(), 123);
}

TEST_F(Damaged_Settings, AOneMegabyteValueIsCutAndTheOtherKeysStillCount) {
  const std::string huge(1 << 20, 'x');
  write_file(ini(), "[tapwrenz]\r\nDot_Sound_File_Name_Edit=" + huge +
                        "\r\nwindow_top_posn=40\r\nLetter_Playback_Delay_Millisec_SpinEdit=222\r\n"
                        "[other]\r\nkeep=" +
                        huge + "\r\n");
  auto form = make_form();
  form->show();
  EXPECT_EQ(form->frameGeometry().top(), 40);
  EXPECT_EQ(form->Letter_Playback_Delay_Millisec_SpinEdit->value(), 222);
  // No such sound file: the start says so and goes on.
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown[0].text.rfind("Cannot open file \"", 0), 0u);
  EXPECT_LT(form->Dot_Sound_File_Name_Edit->text().size(), 70000);
  form->close();
  const std::string saved = read_file(ini());
  EXPECT_NE(saved.find("[other]\r\nkeep=" + huge + "\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Letter_Playback_Delay_Millisec_SpinEdit=222\r\n"), std::string::npos);
}

TEST_F(Damaged_Settings, OfDuplicateSectionsTheFirstIsReadAndWrittenTheSecondKept) {
  const std::string second = "[tapwrenz]\r\nAlphabet_RadioGroup=2\r\nwindow_top_posn=90\r\n";
  write_file(ini(), "[tapwrenz]\r\nwindow_top_posn=40\r\n" + second);
  auto form = make_form();
  form->show();
  EXPECT_EQ(form->frameGeometry().top(), 40);
  EXPECT_EQ(form->Alphabet_RadioGroup->itemIndex(), 0);  // only the first section counts
  form->move(form->x(), 60);
  form->close();
  const std::string saved = read_file(ini());
  EXPECT_EQ(saved.rfind("[tapwrenz]\r\nwindow_top_posn=60\r\nWindowState_wsMaximized=0\r\n", 0), 0u)
      << saved;
  EXPECT_EQ(saved.substr(saved.size() - second.size()), second);
}

// Root writes through any permission bits, so as root the check runs again in a child
// process as the unprivileged user "nobody".
bool ran_as_nobody(const char* test) {
  if (geteuid() != 0) return false;
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups",
                          QCoreApplication::applicationFilePath(),
                          QString("--gtest_filter=Damaged_Settings.") + test});
  EXPECT_TRUE(child.waitForFinished(120000));
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0) << "the check failed as user nobody";
  return true;
}

TEST_F(Damaged_Settings, AFolderTurnedReadOnlyKeepsTheOldFileAndStillCloses) {
  if (ran_as_nobody("AFolderTurnedReadOnlyKeepsTheOldFileAndStillCloses")) return;
  const std::string old = "[tapwrenz]\r\nwindow_top_posn=40\r\n";
  write_file(ini(), old);
  auto form = make_form();
  form->show();
  form->move(form->x(), 70);
  fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec);
  form->close();
  fs::permissions(folder(), fs::perms::owner_all);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(read_file(ini()), old);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Unable to write to " + ini());
  std::size_t leftovers = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder())) ++leftovers;
  EXPECT_EQ(leftovers, 3u);  // the settings and the two tones, no temporary file
}

}  // namespace
