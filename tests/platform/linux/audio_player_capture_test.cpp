// The player's real output, written to a file by the sound library's disk
// driver (CTest sets SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE). The driver
// paces itself with millisecond sleeps, so its samples run a few per cent off
// our clock: the pauses are checked against that measured rate.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio_player.h"
#include "platform/linux/sdl_audio_device.h"
#include "wav_images.h"

namespace {

// Under the sanitizers every callback of the capture driver runs several times
// slower and comes late now and then: there the pauses are checked only
// roughly; the order and length of the tones still exactly.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSlowed_Build_Slack = 15.0;
#else
constexpr double kSlowed_Build_Slack = 0.0;
#endif

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

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

// The disk driver's clock is a chain of millisecond sleeps: over a few
// hundred milliseconds it wanders up to about 1% from its own average (2% on
// a loaded machine), so a pause measured in its samples carries that error on
// top of the player's own.
constexpr double kDisk_Clock_Wander = 0.02;

double seconds(Steady::duration d) { return std::chrono::duration<double>(d).count(); }

TEST(Sdl_Audio_Player_Capture, SilenceBetweenSoundsIsTheTimeFromReturnToRequest) {
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  const char* path = std::getenv("SDL_DISKAUDIOFILE");
  if (driver == nullptr || std::string(driver) != "disk" || path == nullptr)
    GTEST_SKIP() << "needs SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE, as CTest sets them";

  const Sound_Image dot = wav(Tone{.milliseconds = 60});
  const Sound_Image dash = wav(Tone{.milliseconds = 180, .hertz = 700});
  struct Step {
    const Sound_Image& sound;
    double milliseconds;
    Steady::duration pause_after;
  };
  // The first sound opens the device; the others are the ones measured.
  const std::vector<Step> steps = {{dot, 60, 200ms},  {dot, 60, 50ms},  {dash, 180, 300ms},
                                   {dot, 60, 25ms},   {dash, 180, 0ms}, {dot, 60, 10ms},
                                   {dash, 180, 100ms}};
  std::vector<Steady::time_point> asked, returned;
  {
    auto player = make_system_audio_player();
    for (const Step& step : steps) {
      asked.push_back(Steady::now());
      ASSERT_TRUE(player->play_sync(step.sound));
      returned.push_back(Steady::now());
      std::this_thread::sleep_until(returned.back() + step.pause_after);
    }
  }  // closing the device writes out the last buffers

  // Which run of sound each step is in: a step with no pause after it runs
  // into the next one.
  std::vector<std::size_t> run_of(steps.size(), 0);
  for (std::size_t i = 1; i < steps.size(); ++i)
    run_of[i] = run_of[i - 1] + (steps[i - 1].pause_after == 0ms ? 0 : 1);
  const std::vector<Sounding> runs = tones(first_channel(path));
  ASSERT_EQ(runs.size(), run_of.back() + 1);

  // The device's frames per second of our clock, over the measured sounds.
  const double rate = (runs.back().begin - runs[1].begin) / seconds(asked.back() - asked[1]);
  // Under the sanitizers the driver's own thread runs slow enough to fall
  // well behind: its rate is only checked to be plausible there.
  EXPECT_NEAR(rate, kDevice_Rate, (kSlowed_Build_Slack > 0 ? 0.3 : 0.08) * kDevice_Rate);

  std::vector<double> run_ms(runs.size(), 0);
  for (std::size_t i = 0; i < steps.size(); ++i) run_ms[run_of[i]] += steps[i].milliseconds;
  for (std::size_t r = 1; r < runs.size(); ++r)
    EXPECT_NEAR((runs[r].end - runs[r].begin) * 1000.0 / kDevice_Rate, run_ms[r], 0.5)
        << "run " << r << ": its sounds whole, with no gap or overlap";

  for (std::size_t i = 1; i + 1 < steps.size(); ++i) {
    if (steps[i].pause_after == 0ms) continue;
    const double asked_ms = seconds(asked[i + 1] - returned[i]) * 1000;
    const double heard_ms = (runs[run_of[i] + 1].begin - runs[run_of[i]].end) * 1000 / rate;
    EXPECT_NEAR(heard_ms, asked_ms, 1.0 + kDisk_Clock_Wander * asked_ms + kSlowed_Build_Slack)
        << "after sound " << i;
    std::printf("after sound %zu: pause %.3f ms, in the capture %.3f ms\n", i, asked_ms, heard_ms);
  }
}

}  // namespace
