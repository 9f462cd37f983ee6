#include "platform/audio_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

// A 16-bit mono PCM WAV image of a square tone, 8 kHz.
Sound_Image wav(int milliseconds, std::size_t keep_bytes = SIZE_MAX) {
  const std::uint32_t samples = 8 * milliseconds;
  std::vector<unsigned char> out;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto id = [&](const char* s) { out.insert(out.end(), s, s + 4); };
  id("RIFF"), put(36 + samples * 2, 4), id("WAVE"), id("fmt "), put(16, 4);
  put(1, 2), put(1, 2), put(8000, 4), put(16000, 4), put(2, 2), put(16, 2);
  id("data"), put(samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i) put(i / 5 % 2 ? 8000 : 0x10000 - 8000, 2);
  out.resize(std::min(out.size(), keep_bytes));
  return std::make_shared<const std::vector<unsigned char>>(std::move(out));
}

// The tests run with the system's sound driver switched off: a synchronous
// play has to report that as a failure (a play that waited for the device
// for ever would run into the test timeout). Wine still accepts a loop at
// once and only then finds there is no device.
TEST(Windows_Audio_Player, PlayWithoutSoundDeviceOrWithoutSoundFails) {
  auto player = make_system_audio_player();
  EXPECT_FALSE(player->play_sync(wav(50)));

  EXPECT_FALSE(player->play_sync(nullptr));
  EXPECT_FALSE(player->play_sync(wav(50, 0)));
  EXPECT_FALSE(player->play_sync(wav(50, 4)));
  EXPECT_FALSE(player->play_sync(wav(50, 100))) << "cut off inside its data";
  EXPECT_FALSE(player->play_loop(nullptr));
  EXPECT_FALSE(player->play_loop(wav(50, 0)));
  player->stop_all();
}

TEST(Windows_Audio_Player, LoopImageIsReleasedOnceTheLoopEnds) {
  auto player = make_system_audio_player();
  auto loop = wav(50);
  player->play_loop(loop);
  player->play_sync(wav(10));
  EXPECT_EQ(loop.use_count(), 1) << "a played sound ends the loop";
  player->play_loop(loop);
  player->stop_all();
  EXPECT_EQ(loop.use_count(), 1);
  player->play_loop(loop);
  player.reset();
  EXPECT_EQ(loop.use_count(), 1);
}

}  // namespace
