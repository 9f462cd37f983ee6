#include "platform/linux/sample_clock.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/linux/sample_schedule.h"

namespace {

using namespace std::chrono_literals;
using Time = Sample_Clock::Time;

const Time kStart = Time() + 1000h;

TEST(Sample_Clock, MapsTimeToFramesAndBackAtTheDeviceRate) {
  Sample_Clock clock(48000, 0);
  EXPECT_FALSE(clock.started());
  clock.on_callback(kStart, 240);
  EXPECT_TRUE(clock.started());
  EXPECT_EQ(clock.frame_at(kStart), 240);
  EXPECT_EQ(clock.frame_at(kStart + 10ms), 240 + 480);
  EXPECT_EQ(clock.time_of(240 + 480), kStart + 10ms);
  EXPECT_EQ(clock.frame_at(clock.time_of(123457)), 123457);

  // A month of frames at 192 kHz neither overflows nor loses a frame.
  Sample_Clock fast(192000, 0);
  const Sample_Clock::Frame month = 192000LL * 3600 * 24 * 31;
  fast.on_callback(kStart, month);
  EXPECT_EQ(fast.frame_at(kStart + 1s + 5us), month + 192000 + 0);
  EXPECT_EQ(fast.time_of(month + 192000 * 2 + 96), kStart + 2s + 500us);
}

TEST(Sample_Clock, LateCallbacksDoNotMoveTheMapping) {
  Sample_Clock clock(48000, 0);
  for (int i = 0; i < 100; ++i) {
    // Every fifth callback wakes up 2.5 ms late.
    const auto late = i % 5 == 4 ? 2500us : 0us;
    clock.on_callback(kStart + i * 5ms + late, i * 240LL);
    EXPECT_EQ(clock.frame_at(kStart + i * 5ms + 1ms), i * 240LL + 48) << "callback " << i;
  }
}

// The device's clock is not ours: the mapping has to follow it, with a lag
// that stays the same, so that the latency it adds is a constant.
TEST(Sample_Clock, FollowsADeviceClockThatRunsFastOrSlow) {
  for (const auto period : {4900us, 5100us}) {
    Sample_Clock clock(48000, 0);
    Sample_Clock::Frame lag = 0;
    for (int i = 0; i < 2000; ++i) {
      const Time at = kStart + i * period;
      clock.on_callback(at, i * 240LL);
      const Sample_Clock::Frame now_lag = i * 240LL - clock.frame_at(at);
      if (i >= 100) {
        EXPECT_NEAR(now_lag, lag, 1) << period.count() << " us, callback " << i;
      }
      lag = now_lag;
    }
    EXPECT_LE(std::abs(lag), 240) << "within the window's span of drift";
  }
}

// The player's promise, on a device that hands out 5 ms buffers, every fourth
// one late, where decoding lets a callback run between a request and the
// sound's start: the silence between two sounds is the time from the end of
// the wait for the one to the request of the next, wherever in a buffer the
// request falls.
TEST(Sample_Clock, SilenceIsTheTimeFromTheEndOfAWaitToTheNextRequest) {
  constexpr int kBuffer = 240;
  Sample_Clock clock(48000, 2 * kBuffer);
  Sample_Schedule schedule(1, 0);
  std::vector<unsigned char> out(kBuffer);
  int callbacks = 0;
  const auto run_device_until = [&](Time t) {
    for (;;) {
      const Time at = kStart + callbacks * 5ms + (callbacks % 4 == 3 ? 1500us : 0us);
      if (at > t) return;
      clock.on_callback(at, schedule.handed_out());
      schedule.fill(out.data(), kBuffer);
      ++callbacks;
    }
  };
  auto sound = std::make_shared<Device_Sound>();
  sound->frames = 2880;  // 60 ms
  sound->bytes.assign(2880, 1);

  struct Step {
    std::chrono::microseconds pause_before, decoding;
  };
  Time asked = kStart + 20ms;
  Sample_Clock::Frame last_end = 0;
  for (const Step step : {Step{0us, 0us}, Step{50ms, 0us}, Step{25ms + 1234us, 4ms},
                          Step{10ms + 4999us, 4900us}, Step{300ms + 2500us, 1us}}) {
    asked += step.pause_before;
    run_device_until(asked + step.decoding);
    const Sample_Clock::Frame begin = schedule.start(sound, clock.paced_start(asked), false);
    if (last_end > 0) {
      EXPECT_NEAR(begin - last_end, step.pause_before.count() * 48 / 1000, 1)
          << step.pause_before.count() << " us, decoding " << step.decoding.count() << " us";
    }
    last_end = begin + sound->frames;
    asked = clock.paced_end(last_end);  // the next request comes as the wait ends
    run_device_until(asked);
  }
}

}  // namespace
