#include "platform/linux/sample_clock.h"

#include <algorithm>
#include <utility>

#include "platform/linux/sample_schedule.h"

namespace {

constexpr std::int64_t kNanos_Per_Second = 1'000'000'000;

// Split in whole seconds and the rest, so that neither product overflows
// however long the device has been running. Rounded up, to the first
// nanosecond at which the frame has begun.
std::chrono::nanoseconds frames_to_duration(Sample_Clock::Frame frames, int rate) {
  return std::chrono::nanoseconds(frames / rate * kNanos_Per_Second +
                                  (frames % rate * kNanos_Per_Second + rate - 1) / rate);
}

Sample_Clock::Frame duration_to_frames(std::chrono::nanoseconds d, int rate) {
  const std::int64_t ns = d.count();
  return ns / kNanos_Per_Second * rate + ns % kNanos_Per_Second * rate / kNanos_Per_Second;
}

}  // namespace

Sample_Clock::Sample_Clock(int rate, Frame latency) : rate_(rate), latency_(latency) {}

void Sample_Clock::on_callback(Time at, Frame frame) {
  origins_[callbacks_ % kWindow] = at - frames_to_duration(frame, rate_);
  ++callbacks_;
  const auto recent = origins_.begin() + std::min<std::int64_t>(callbacks_, kWindow);
  origin_ = *std::min_element(origins_.begin(), recent);
}

Sample_Clock::Frame Sample_Clock::frame_at(Time t) const {
  return duration_to_frames(t - origin_, rate_);
}

Sample_Clock::Time Sample_Clock::time_of(Frame frame) const {
  return origin_ + frames_to_duration(frame, rate_);
}

bool play_and_wait(Sample_Clock& clock, Sample_Schedule& schedule,
                   std::shared_ptr<const Device_Sound> sound, Sample_Clock::Time asked,
                   Play_Kind kind, const Play_Waits& waits) {
  using Frame = Sample_Clock::Frame;
  const bool keyed = kind == Play_Kind::keyed;
  const Frame frames = sound->frames;
  const Frame wanted = keyed ? schedule.handed_out() : clock.paced_start(asked);
  const Frame begin = schedule.start(std::move(sound), wanted, false);
  waits.scheduled(begin);
  const Frame end = begin + frames;
  Frame seen = schedule.handed_out();
  Sample_Clock::Time seen_at = waits.now();
  for (;;) {
    // Recomputed at each wake: the clock's mapping follows the device.
    const Sample_Clock::Time due = keyed ? clock.time_of(end) : clock.paced_end(end);
    const Sample_Clock::Time now = waits.now();
    if (now >= due) return true;
    if (schedule.handed_out() != seen) {
      seen = schedule.handed_out();
      seen_at = now;
    } else if (now - seen_at > waits.silent_for) {
      schedule.stop();
      return false;
    }
    waits.wait_until(std::min(due, now + waits.silent_for));
  }
}
