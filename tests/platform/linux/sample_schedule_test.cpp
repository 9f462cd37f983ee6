#include "platform/linux/sample_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One byte a frame, silence 0: each sound counts up from `first`.
std::shared_ptr<const Device_Sound> ramp(int frames, int first = 1) {
  auto sound = std::make_shared<Device_Sound>();
  for (int i = 0; i < frames; ++i) sound->bytes.push_back(static_cast<unsigned char>(first + i));
  sound->frames = frames;
  return sound;
}

std::vector<int> fill(Sample_Schedule& schedule, int frames) {
  std::vector<unsigned char> out(static_cast<std::size_t>(frames), 0xEE);
  schedule.fill(out.data(), frames);
  return {out.begin(), out.end()};
}

using V = std::vector<int>;

TEST(Sample_Schedule, SoundStartsAtItsOwnFrameInsideABuffer) {
  Sample_Schedule schedule(1, 0);
  EXPECT_EQ(schedule.start(ramp(5), 3, false), 3);
  EXPECT_EQ(fill(schedule, 4), (V{0, 0, 0, 1}));
  EXPECT_EQ(fill(schedule, 4), (V{2, 3, 4, 5}));
  EXPECT_EQ(fill(schedule, 2), (V{0, 0}));
  EXPECT_EQ(schedule.handed_out(), 10);
}

TEST(Sample_Schedule, SoundIsNeverLostOrCutShort) {
  Sample_Schedule schedule(1, 0);
  fill(schedule, 4);
  EXPECT_EQ(schedule.start(ramp(2), 1, false), 4) << "too late: starts with the next buffer";
  EXPECT_EQ(schedule.start(ramp(2, 10), 5, false), 6) << "waits for the one before to end";
  EXPECT_EQ(fill(schedule, 5), (V{1, 2, 10, 11, 0}));
}

TEST(Sample_Schedule, LoopRepeatsWithoutGapUntilTheNextSoundStarts) {
  Sample_Schedule schedule(2, 0);  // two bytes a frame
  auto sound = std::make_shared<Device_Sound>();
  sound->bytes = {1, 2, 3, 4, 5, 6};
  sound->frames = 3;
  schedule.start(sound, 1, true);
  auto out = [&](int frames) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(frames * 2));
    schedule.fill(bytes.data(), frames);
    return std::vector<int>(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(out(5), (V{0, 0, 1, 2, 3, 4, 5, 6, 1, 2}));
  auto once = std::make_shared<Device_Sound>();
  once->bytes = {9, 9};
  once->frames = 1;
  EXPECT_EQ(schedule.start(once, 8, false), 8);
  EXPECT_EQ(out(5), (V{3, 4, 5, 6, 1, 2, 9, 9, 0, 0}));
}

TEST(Sample_Schedule, LaterSoundBeforeTheLoopBeganReplacesIt) {
  Sample_Schedule schedule(1, 0);
  schedule.start(ramp(2, 20), 6, true);
  EXPECT_EQ(schedule.start(ramp(2), 4, false), 4);
  EXPECT_EQ(fill(schedule, 8), (V{0, 0, 0, 0, 1, 2, 0, 0}));
}

TEST(Sample_Schedule, StopSilencesEverythingEndLoopOnlyTheLoop) {
  Sample_Schedule schedule(1, 0);
  schedule.start(ramp(2), 0, true);
  EXPECT_EQ(fill(schedule, 3), (V{1, 2, 1}));
  schedule.stop();
  EXPECT_EQ(fill(schedule, 2), (V{0, 0}));

  schedule.start(ramp(3, 10), 5, false);
  schedule.end_loop();
  EXPECT_EQ(fill(schedule, 4), (V{10, 11, 12, 0}));
  schedule.start(ramp(2, 20), 9, true);
  EXPECT_EQ(fill(schedule, 3), (V{20, 21, 20}));
  schedule.end_loop();
  EXPECT_EQ(fill(schedule, 2), (V{0, 0}));
}

}  // namespace
