#include "platform/audio_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

void put_u32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void put_u16(std::vector<unsigned char>& out, std::uint16_t v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void put_id(std::vector<unsigned char>& out, const char* id) { out.insert(out.end(), id, id + 4); }

// A 16-bit mono PCM tone of the given length at 8 kHz.
std::vector<unsigned char> wav_tone(int milliseconds) {
  const std::uint32_t rate = 8000;
  const std::uint32_t samples = rate * milliseconds / 1000;
  std::vector<unsigned char> out;
  put_id(out, "RIFF");
  put_u32(out, 36 + samples * 2);
  put_id(out, "WAVE");
  put_id(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, 1);  // PCM
  put_u16(out, 1);  // mono
  put_u32(out, rate);
  put_u32(out, rate * 2);
  put_u16(out, 2);
  put_u16(out, 16);
  put_id(out, "data");
  put_u32(out, samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i)
    put_u16(out, static_cast<std::uint16_t>(
                     static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 700 * i / rate))));
  return out;
}

Sound_Image image_of(std::vector<unsigned char> bytes) {
  return std::make_shared<const std::vector<unsigned char>>(std::move(bytes));
}

// The tests run with the system's sound driver switched off.
TEST(Windows_Audio_Player, PlayWithoutSoundDeviceFailsPromptly) {
  auto player = make_system_audio_player();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(player->play_sync(image_of(wav_tone(50))));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(Windows_Audio_Player, NoImageOrNoWaveIsRefused) {
  auto player = make_system_audio_player();
  EXPECT_FALSE(player->play_sync(nullptr));
  EXPECT_FALSE(player->play_sync(image_of({})));
  EXPECT_FALSE(player->play_sync(image_of({'R', 'I', 'F', 'F'})));
  const std::string text = "this is plainly not a sound file";
  EXPECT_FALSE(player->play_sync(image_of({text.begin(), text.end()})));
  EXPECT_FALSE(player->play_loop(nullptr));
  EXPECT_FALSE(player->play_loop(image_of({})));
  player->stop_all();
}

TEST(Windows_Audio_Player, ImagesWhoseSizesRunPastTheirEndAreHandledSafely) {
  auto player = make_system_audio_player();
  auto cut = wav_tone(50);
  cut.resize(cut.size() / 2);  // the data chunk claims twice what is there
  EXPECT_FALSE(player->play_sync(image_of(cut)));
  auto open_sizes = wav_tone(50);
  for (std::size_t at : {std::size_t{4}, open_sizes.size() - 800 - 4})
    for (int i = 0; i < 4; ++i) open_sizes[at + i] = 0xFF;
  EXPECT_FALSE(player->play_sync(image_of(open_sizes)));
}

// The system may accept a loop before it finds there is no device; either way
// the player has to end and release it cleanly, also when destroyed.
TEST(Windows_Audio_Player, LoopsEndCleanly) {
  auto player = make_system_audio_player();
  auto loop = image_of(wav_tone(50));
  player->play_loop(loop);
  player->play_loop(image_of(wav_tone(20)));
  EXPECT_FALSE(player->play_sync(image_of(wav_tone(10))));
  player->play_loop(loop);
  player->stop_all();
  player->stop_all();
  player->play_loop(loop);
  player.reset();
  EXPECT_EQ(loop.use_count(), 1);
}

}  // namespace
