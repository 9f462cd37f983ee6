// The player's real output, written to a file by the sound library's disk
// driver (CTest sets SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE). The driver
// paces itself with millisecond sleeps and falls behind on a loaded machine,
// so the pauses' lengths are no measure of the player here: the timing is
// tested on a fake clock (sample_clock_test.cpp) and measured on real sound
// by bench/playback_measure. What the file does show is every sound, whole,
// in its order, through the real device. A driver far enough behind plays two
// sounds back to back: such a run is then the sum of the sounds in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio_player.h"
#include "platform/linux/sdl_audio_device.h"
#include "wav_images.h"

namespace {

using namespace std::chrono_literals;

struct Sounding {
  long begin;
  long end;  // past the last sounding frame
};

// Runs of sound in the first channel; a quiet stretch of a millisecond or
// more separates two (a sine crosses zero far quicker than that).
std::vector<Sounding> tones(const std::vector<float>& frames) {
  const long quiet_gap = kDevice_Rate / 1000;
  std::vector<Sounding> runs;
  for (long i = 0; i < static_cast<long>(frames.size()); ++i) {
    if (std::abs(frames[i]) < 0.01f) continue;
    if (!runs.empty() && i - runs.back().end < quiet_gap)
      runs.back().end = i + 1;
    else
      runs.push_back({i, i + 1});
  }
  return runs;
}

std::vector<float> first_channel(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<float> all;
  float frame[kDevice_Channels];
  while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) all.push_back(frame[0]);
  return all;
}

TEST(Sdl_Audio_Player_Capture, EverySoundIsHeardWholeInItsOrder) {
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  const char* path = std::getenv("SDL_DISKAUDIOFILE");
  if (driver == nullptr || std::string(driver) != "disk" || path == nullptr)
    GTEST_SKIP() << "needs SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE, as CTest sets them";

  const Sound_Image dot = wav(Tone{.milliseconds = 60});
  const Sound_Image dash = wav(Tone{.milliseconds = 180, .hertz = 700});
  struct Step {
    const Sound_Image& sound;
    double milliseconds;
  };
  // The first sound opens the device. The pauses are long enough to stay
  // pauses however far the driver falls behind.
  const std::vector<Step> steps = {{dot, 60},   {dot, 60},   {dash, 180}, {dot, 60},
                                   {dash, 180}, {dash, 180}, {dot, 60}};
  {
    auto player = make_system_audio_player();
    for (const Step& step : steps) {
      ASSERT_TRUE(player->play_sync(step.sound));
      std::this_thread::sleep_for(40ms);
    }
    // Closing the device cuts what a late driver has not written yet.
    std::this_thread::sleep_for(500ms);
  }

  const std::vector<Sounding> runs = tones(first_channel(path));
  std::size_t next = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const double heard = (runs[i].end - runs[i].begin) * 1000.0 / kDevice_Rate;
    double played = 0;
    std::size_t count = 0;
    while (next < steps.size() && played + 0.5 * count < heard - 0.5) {
      played += steps[next++].milliseconds;
      ++count;
    }
    EXPECT_NEAR(heard, played, 0.5 * std::max<std::size_t>(count, 1))
        << "run " << i << " should hold " << count << " whole sounds";
  }
  EXPECT_EQ(next, steps.size()) << "sounds missing from the capture";
}

}  // namespace
