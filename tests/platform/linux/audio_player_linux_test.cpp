// The player on the sound library's silent driver: it runs in real time and
// plays nothing, so these tests see what is accepted, what is refused, and
// that nothing is read after its owner let it go. The library reads the
// driver's name each time a player opens the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include "fakes/without_sound_library.h"
#include "platform/audio_player.h"
#include "wav_images.h"

namespace {

using namespace std::chrono_literals;

Sound_Image bytes(std::vector<unsigned char> v) {
  return std::make_shared<const std::vector<unsigned char>>(std::move(v));
}

Sound_Image cut(const Tone& tone, std::size_t keep) {
  auto v = wav_bytes(tone);
  v.resize(std::min(v.size(), keep));
  return bytes(std::move(v));
}

class Sdl_Audio_Player : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(Sdl_Audio_Player, WithoutSoundOutputEveryPlayFailsUntilThereIsOne) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  auto player = make_system_audio_player();
  player->get_ready();  // fails on a thread of its own, which leaves nothing behind
  EXPECT_FALSE(player->play_sync(wav(Tone{.milliseconds = 20})));
  EXPECT_FALSE(player->play_loop(wav(Tone{.milliseconds = 20})));
  player->stop_all();

  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_TRUE(player->play_sync(wav(Tone{.milliseconds = 20}))) << "tries the device again";
  EXPECT_EQ(player->no_sound_reason(), "");
}

TEST_F(Sdl_Audio_Player, WithoutTheSoundLibraryEveryPlayFailsAndSaysWhy) {
  const Without_Sound_Library none;
  auto player = make_system_audio_player();
  player->get_ready();
  EXPECT_FALSE(player->play_sync(wav(Tone{.milliseconds = 20})));
  EXPECT_FALSE(player->play_sync_at_once(wav(Tone{.milliseconds = 20})));
  EXPECT_FALSE(player->play_loop(wav(Tone{.milliseconds = 20})));
  player->stop_all();
  EXPECT_EQ(player->no_sound_reason(), none.message);
}

// Readied ahead on a thread of its own, the device takes a keyed sound at
// once, and the player tells when its first sample went out. A play returns
// when its end is due on the device's timeline, which a device thread kept
// waiting by a busy machine may not have reached yet: the sounds are long
// enough for their first samples to have gone out by then.
TEST_F(Sdl_Audio_Player, AReadiedDeviceStartsAKeyedSoundAndTellsWhen) {
  auto player = make_system_audio_player();
  player->get_ready();
  player->get_ready();  // once is enough
  EXPECT_FALSE(player->last_sound_started());
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_TRUE(player->play_sync_at_once(wav(Tone{.milliseconds = 150})));
  const auto started = player->last_sound_started();
  ASSERT_TRUE(started);
  EXPECT_GE(*started, asked);
  EXPECT_LE(*started, std::chrono::steady_clock::now());
  EXPECT_TRUE(player->play_sync(wav(Tone{.milliseconds = 150})));
  EXPECT_GT(*player->last_sound_started(), *started);
  // An open device leaves the program's signals alone: SIGTERM still ends it.
  struct sigaction term {};
  sigaction(SIGTERM, nullptr, &term);
  EXPECT_EQ(term.sa_handler, SIG_DFL);
}

TEST_F(Sdl_Audio_Player, RefusesWhatIsNoSoundAndStillPlaysAfterwards) {
  auto player = make_system_audio_player();
  const std::string text = "RIFF but not a sound at all, only some text of no use";
  const Sound_Image refused[] = {
      nullptr,         bytes({}),       bytes({text.begin(), text.end()}),
      cut(Tone{}, 4),  cut(Tone{}, 30),  // inside the format chunk
      cut(Tone{}, 44),                   // the headers with none of the samples they promise
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) {
    EXPECT_FALSE(player->play_sync(refused[i])) << "image " << i;
    EXPECT_FALSE(player->play_loop(refused[i])) << "image " << i;
  }
  EXPECT_TRUE(player->play_sync(wav(Tone{.milliseconds = 20})));
  EXPECT_TRUE(player->play_sync(cut(Tone{}, 44 + 200))) << "cut off inside its samples: plays them";
}

TEST_F(Sdl_Audio_Player, PlaysPcmAndFloatImagesOfAnyRateAndLayout) {
  auto player = make_system_audio_player();
  const Tone tones[] = {
      {.milliseconds = 30, .rate = 8000, .format = Sample_Format::Unsigned8},
      {.milliseconds = 30, .rate = 11025, .channels = 2, .format = Sample_Format::Signed16},
      {.milliseconds = 30, .rate = 48000, .channels = 2, .format = Sample_Format::Float32},
      {.milliseconds = 1, .rate = 96000, .channels = 1, .format = Sample_Format::Float32},
  };
  for (const Tone& tone : tones)
    EXPECT_TRUE(player->play_sync(wav(tone))) << tone.rate << " Hz, " << tone.channels << " ch";
}

TEST_F(Sdl_Audio_Player, LoopGivesWayToALaterPlayAndToStop) {
  auto player = make_system_audio_player();
  const Sound_Image dot = wav(Tone{.milliseconds = 40});
  EXPECT_TRUE(player->play_loop(dot));
  std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(player->play_sync(dot)) << "returns although a loop was playing";
  EXPECT_TRUE(player->play_loop(dot));
  std::this_thread::sleep_for(30ms);
  player->stop_all();
  player->stop_all();
  EXPECT_TRUE(player->play_sync(dot));
  EXPECT_EQ(dot.use_count(), 1) << "the player keeps its own copy, not the owner's bytes";
}

// Run under the address sanitizer: the device must not read the bytes the
// owner replaced or freed, nor the player's own after it is gone.
TEST_F(Sdl_Audio_Player, LoopOutlivesItsOwnersBytesAndThePlayerItself) {
  auto player = make_system_audio_player();
  auto owned = std::make_shared<std::vector<unsigned char>>(wav_bytes(Tone{.milliseconds = 15}));
  ASSERT_TRUE(player->play_loop(owned));
  std::fill(owned->begin(), owned->end(), 0x55);
  owned.reset();
  std::this_thread::sleep_for(60ms);
  EXPECT_TRUE(player->play_sync(wav(Tone{.milliseconds = 10})));

  ASSERT_TRUE(player->play_loop(wav(Tone{.milliseconds = 15})));
  std::this_thread::sleep_for(20ms);
  player.reset();
}

}  // namespace
