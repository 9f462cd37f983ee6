#pragma once
// Maps the steady clock onto the sound device's count of frames, so that a
// sound can start at the frame that matches the moment it was asked for, and
// a wait can end at the moment a given frame is due.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class Sample_Schedule;
struct Device_Sound;

class Sample_Clock {
 public:
  using Time = std::chrono::steady_clock::time_point;
  using Frame = std::int64_t;

  // `latency` is how far behind the request a paced sound starts: enough
  // for its first frame not to have been handed out yet.
  Sample_Clock(int rate, Frame latency);

  // A device callback began at `at` and is about to hand out frames from
  // `frame` on.
  void on_callback(Time at, Frame frame);
  bool started() const { return callbacks_ > 0; }

  // The frame being handed out at `t`, and the moment `frame` is; the one
  // undoes the other.
  Frame frame_at(Time t) const;
  Time time_of(Frame frame) const;

  // A paced sound asked for at `asked` starts at this frame, one latency
  // later; the wait for a paced sound that ends before `end` ends the same
  // latency early. So the silence heard between two sounds is the time from
  // one wait's end to the next request, whatever the device's buffer.
  Frame paced_start(Time asked) const { return frame_at(asked) + latency_; }
  Time paced_end(Frame end) const { return time_of(end - latency_); }

 private:
  // 40 ms of 5 ms buffers: long enough to hold a punctual callback through
  // a run of late ones, short enough to follow a device whose clock wanders
  // against ours (the library's file and silent drivers pace themselves with
  // sleeps and wander by a per cent; a longer window lags them by
  // milliseconds).
  static constexpr int kWindow = 8;

  int rate_;
  Frame latency_;
  // For each recent callback, the moment frame 0 would have been handed out
  // had the device run at exactly `rate_` since. A callback that woke up late
  // gives a later moment than the device's; the earliest is the truest.
  std::array<Time, kWindow> origins_{};
  std::int64_t callbacks_ = 0;
  Time origin_{};
};

// A paced sound starts at the frame that matches the moment it was asked
// for, one constant latency later, and its play returns when the sound's end
// is due on that same shifted timeline. So the silence between two sounds is
// the time between the return and the next request, whatever the size of
// the device's buffer. A keyed sound answers a key: it starts with the next
// buffer, and its play returns when its last frame is handed out.
enum class Play_Kind { paced, keyed };

// What a play needs from the player around it, which holds the lock that the
// device's thread shares while the play runs.
struct Play_Waits {
  std::function<Sample_Clock::Time()> now;
  // Lets the lock go until `t`, or until the device's thread wakes the wait.
  std::function<void(Sample_Clock::Time t)> wait_until;
  // Told the sound's first frame as soon as it is scheduled.
  std::function<void(Sample_Clock::Frame begin)> scheduled;
  // How long the device may go without asking for samples before it counts
  // as gone.
  std::chrono::nanoseconds silent_for;
};

// Schedules `sound`, asked for at `asked`, and waits until it has been heard.
// False, with every sound stopped, when the device stopped asking for samples.
bool play_and_wait(Sample_Clock& clock, Sample_Schedule& schedule,
                   std::shared_ptr<const Device_Sound> sound, Sample_Clock::Time asked,
                   Play_Kind kind, const Play_Waits& waits);
