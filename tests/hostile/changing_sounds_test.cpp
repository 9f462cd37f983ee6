// Sound files that change or vanish under a running window, and sizes from nothing to
// hundreds of megabytes, through the real player on SDL's dummy device.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstring>

#include "hostile/hostile_window.h"

namespace {

class Changing_Sounds : public Hostile_Window {
 protected:
  // SDL's own decoding and playing, on its dummy device.
  std::unique_ptr<TMainForm1> make_form_with_system_player() {
    Window_Services system = services();
    system.player = nullptr;
    return std::make_unique<TMainForm1>(messages, system);
  }
};
namespace fs = std::filesystem;

const char kDot_Error[] =
    "Error: The \"Dot\" sound does not exist or could NOT be played.\r\n\r\n"
    "Please check the sound(s) and try again.";

TEST_F(Changing_Sounds, ADotFileDeletedDuringAPlaybackHaltsItWithTheError) {
  auto form = make_form();
  form->show();
  player.know(form->Dot_Sound_Stream, "dot", std::chrono::milliseconds(60));
  player.know(form->Dash_Sound_Stream, "dash", std::chrono::milliseconds(180));
  form->Input_Memo->setPlainText("... --- ...");
  player.while_playing = [&] {
    if (player.played.size() == 2) fs::remove(folder() + "Mores_Code_Dot_Tone.wav");
  };
  QTest::mouseClick(form->Play_Back_Input_Memo_BitBtn, Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kDot_Error);
  EXPECT_EQ(player.played.size(), 2u);  // the second dot found its file gone; nothing after
  EXPECT_TRUE(form->Play_Back_Input_Memo_BitBtn->isEnabled());
}

TEST_F(Changing_Sounds, AFileReplacedByGarbagePlaysWhatWasLoadedUntilTheNextStart) {
  {
    auto form = make_form();
    form->show();
    player.know(form->Dot_Sound_Stream, "dot", std::chrono::milliseconds(60));
    player.know(form->Dash_Sound_Stream, "dash", std::chrono::milliseconds(180));
    form->Input_Memo->setPlainText(".-.-");
    player.while_playing = [&] {
      std::ofstream(folder() + "Mores_Code_Dash_Tone.wav", std::ios::binary) << "RIFF\xff\xff";
    };
    QTest::mouseClick(form->Play_Back_Input_Memo_BitBtn, Qt::LeftButton);
    EXPECT_EQ(player.played.size(), 4u);
    EXPECT_TRUE(messages.shown.empty());
    form->close();
  }
  // The next start loads the garbage; the real player refuses it with the dash's error.
  const auto form_ptr = make_form_with_system_player();
  TMainForm1& form = *form_ptr;
  form.show();
  EXPECT_EQ(form.Dash_Sound_Stream->size(), 6u);
  QTest::mouseClick(form.Dash_Test_BitBtn, Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find("\"Dash\" sound does not exist"), std::string::npos);
}

// A WAV image: 8-bit mono at 8 kHz, `pad` bytes of a chunk nobody reads, then 80 samples.
std::string padded_wav(std::size_t pad) {
  auto le32 = [](std::uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  const std::string fmt = "fmt " + le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(8000) +
                          le32(8000) + std::string("\x01\x00\x08\x00", 4);
  const std::string data = "data" + le32(80) + std::string(80, '\x90');
  const std::string junk = "junk" + le32(static_cast<std::uint32_t>(pad)) + std::string(pad, '\0');
  return "RIFF" + le32(static_cast<std::uint32_t>(4 + fmt.size() + junk.size() + data.size())) +
         "WAVE" + fmt + junk + data;
}

TEST_F(Changing_Sounds, AnEmptyAndATwoHundredMegabyteWavThroughTheRealPlayer) {
  write_file(folder() + "empty.wav", "");
  write_file(folder() + "huge.wav", padded_wav(200u << 20));
  write_file(ini(), "[tapwrenz]\r\nDot_Sound_File_Name_Edit=" + folder() +
                        "empty.wav\r\nDash_Sound_File_Name_Edit=" + folder() + "huge.wav\r\n");
  const auto form_ptr = make_form_with_system_player();
  TMainForm1& form = *form_ptr;
  form.show();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(form.Dot_Sound_Stream->size(), 0u);
  EXPECT_GT(form.Dash_Sound_Stream->size(), 200u << 20);

  QTest::mouseClick(form.Dot_Test_BitBtn, Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kDot_Error);
  QElapsedTimer t;
  t.start();
  QTest::mouseClick(form.Dash_Test_BitBtn, Qt::LeftButton);
  fprintf(stderr, "huge dash %lld ms\n", t.elapsed());
  EXPECT_EQ(messages.shown.size(), 1u);  // the 10 ms behind its padding played
  form.close();
  EXPECT_NE(read_file(ini()).find("huge.wav"), std::string::npos);
}

}  // namespace
