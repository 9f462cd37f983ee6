#pragma once
// The device's timeline: which sound sounds from which frame, one at a time,
// and the filling of each device buffer from it. Knows nothing of clocks or
// of the sound library; the caller keeps it under a lock that the device's
// thread shares.

#include <cstdint>
#include <memory>
#include <vector>

// Samples in the device's own format, whole frames only.
struct Device_Sound {
  std::vector<unsigned char> bytes;
  std::int64_t frames = 0;
};

class Sample_Schedule {
 public:
  using Frame = std::int64_t;

  Sample_Schedule(int frame_bytes, unsigned char silence);

  // Frames handed to the device so far.
  Frame handed_out() const { return handed_out_; }

  // Schedules `sound` (with at least one frame) to start at frame `at`, or
  // as soon after it as the sounds already there allow: a frame already
  // handed out cannot be taken back, and a sound playing once is never cut
  // short. A loop is cut where the new sound starts. Returns the first frame
  // of the new sound. A loop repeats until the next start or stop.
  Frame start(std::shared_ptr<const Device_Sound> sound, Frame at, bool loop);

  // Drops every sound; the next buffer is silent.
  void stop();
  // Ends a loop with the next buffer; a sound playing once plays on.
  void end_loop();

  // Hands out the next `frames` frames into `out`. Runs on the device's
  // thread, so it neither allocates nor frees.
  void fill(unsigned char* out, int frames);

 private:
  struct Entry {
    std::shared_ptr<const Device_Sound> sound;
    Frame begin;
    Frame end;  // past the last frame; a loop's runs until cut
    bool loop;
  };

  // Copies frames [from, to) of the entry's timeline into `out`.
  void copy(const Entry& entry, Frame from, Frame to, unsigned char* out) const;

  int frame_bytes_;
  unsigned char silence_;
  Frame handed_out_ = 0;
  // Sorted, not overlapping. Entries already handed out stay until the next
  // start or stop, so that their samples are freed off the device's thread.
  std::vector<Entry> entries_;
};
