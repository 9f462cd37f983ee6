#include "platform/linux/sample_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
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

// The device's thread, run by hand on a fake clock: 5 ms buffers of one byte
// a frame, every fourth buffer `late` after its time, none after `stops_at`.
// The plays on it wait by running it.
struct Fake_Device {
  static constexpr int kBuffer = 240;
  std::chrono::microseconds late = 1500us;
  Time stops_at = Time::max();

  Sample_Clock clock{48000, 2 * kBuffer};
  Sample_Schedule schedule{1, 0};
  Time now = kStart;
  int callbacks = 0;
  std::vector<Time> buffer_times;  // when each buffer was handed out
  std::vector<unsigned char> out = std::vector<unsigned char>(kBuffer);

  void run_until(Time t) {
    for (;;) {
      const Time at = kStart + callbacks * 5ms + (callbacks % 4 == 3 ? late : 0us);
      if (at > t || at > stops_at) break;
      clock.on_callback(at, schedule.handed_out());
      schedule.fill(out.data(), kBuffer);
      buffer_times.push_back(at);
      ++callbacks;
    }
    now = std::max(now, t);
  }

  // The moment the device took `frame` to be heard.
  Time handed_out_at(Sample_Clock::Frame frame) const {
    const Time buffer = buffer_times.at(static_cast<std::size_t>(frame / kBuffer));
    return buffer + std::chrono::nanoseconds(frame % kBuffer * 1'000'000'000 / 48000);
  }

  std::optional<Sample_Clock::Frame> play(const std::shared_ptr<const Device_Sound>& sound,
                                          Time asked, Play_Kind kind) {
    Sample_Clock::Frame begin = -1;
    const bool heard = play_and_wait(clock, schedule, sound, asked, kind,
                                     {.now = [&] { return now; },
                                      .wait_until = [&](Time t) { run_until(t); },
                                      .scheduled = [&](Sample_Clock::Frame b) { begin = b; },
                                      .silent_for = 2s});
    if (!heard) return std::nullopt;
    return begin;
  }
};

double micros(std::chrono::nanoseconds d) { return static_cast<double>(d.count()) / 1000; }

std::shared_ptr<const Device_Sound> tone(std::chrono::milliseconds length) {
  auto sound = std::make_shared<Device_Sound>();
  sound->frames = length.count() * 48;
  sound->bytes.assign(static_cast<std::size_t>(sound->frames), 1);
  return sound;
}

// The player's promise, on a device that hands out 5 ms buffers, every fourth
// one late, where decoding lets a callback run between a request and the
// sound's start: the silence between two sounds is the time from the end of
// the wait for the one to the request of the next, wherever in a buffer the
// request falls.
TEST(Sample_Clock, SilenceIsTheTimeFromTheEndOfAWaitToTheNextRequest) {
  Fake_Device device;
  const auto sound = tone(60ms);
  struct Step {
    std::chrono::microseconds pause_before, decoding;
  };
  Time asked = kStart + 20ms;
  Sample_Clock::Frame last_end = 0;
  for (const Step step : {Step{0us, 0us}, Step{50ms, 0us}, Step{25ms + 1234us, 4ms},
                          Step{10ms + 4999us, 4900us}, Step{300ms + 2500us, 1us}}) {
    asked += step.pause_before;
    device.run_until(asked + step.decoding);
    const auto begin = device.play(sound, asked, Play_Kind::paced);
    ASSERT_TRUE(begin);
    if (last_end > 0) {
      EXPECT_NEAR(*begin - last_end, step.pause_before.count() * 48 / 1000, 1)
          << step.pause_before.count() << " us, decoding " << step.decoding.count() << " us";
    }
    last_end = *begin + sound->frames;
    asked = device.now;  // the next request comes as the wait ends
  }
}

// A keyed sound is heard within one device buffer of the key, a paced one a
// constant two buffers after its request; the play returns once the sound has
// been heard: a keyed one when its last frame goes out, a paced one its
// length after the request.
TEST(Sample_Clock, KeyedSoundStartsWithinABufferAndEveryPlayLastsItsSound) {
  struct Row {
    Play_Kind kind;
    std::chrono::microseconds into_buffer;
    std::chrono::milliseconds length;
  };
  const Row rows[] = {
      {Play_Kind::keyed, 1us, 60ms},     {Play_Kind::keyed, 2500us, 180ms},
      {Play_Kind::keyed, 4999us, 1ms},   {Play_Kind::paced, 1us, 60ms},
      {Play_Kind::paced, 2500us, 180ms}, {Play_Kind::paced, 4999us, 1ms},
  };
  for (const Row& row : rows) {
    const bool keyed = row.kind == Play_Kind::keyed;
    SCOPED_TRACE(testing::Message()
                 << (keyed ? "keyed" : "paced") << ", " << row.into_buffer.count()
                 << " us into a buffer, " << row.length.count() << " ms");
    Fake_Device device;
    device.late = 0us;
    const Time asked = kStart + 100ms + row.into_buffer;
    device.run_until(asked);
    const auto begin = device.play(tone(row.length), asked, row.kind);
    ASSERT_TRUE(begin);
    const auto returned = device.now - asked;
    device.run_until(device.now + 20ms);  // a paced sound is still to come
    const auto started = device.handed_out_at(*begin) - asked;
    if (keyed) {
      EXPECT_GT(started, 0us);
      EXPECT_LE(started, 5ms);
      EXPECT_NEAR(micros(returned - started - row.length), 0, 1);
    } else {
      EXPECT_NEAR(micros(started), 10'000, 21);
      EXPECT_NEAR(micros(returned - row.length), 0, 21);
    }
  }
}

// A device that stops asking for samples holds a long play only a few
// seconds, and what was scheduled on it is dropped.
TEST(Sample_Clock, PlayGivesUpOnASilentDeviceAndStopsItsSound) {
  Fake_Device device;
  device.run_until(kStart + 20ms);
  device.stops_at = kStart + 30ms;
  EXPECT_FALSE(device.play(tone(60s), device.now, Play_Kind::paced));
  EXPECT_LT(device.now, kStart + 10s);
  device.stops_at = Time::max();
  device.run_until(device.now + 10ms);
  EXPECT_EQ(device.out, std::vector<unsigned char>(Fake_Device::kBuffer, 0)) << "silent";
}

}  // namespace
