#include "platform/linux/sample_schedule.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

Sample_Schedule::Sample_Schedule(int frame_bytes, unsigned char silence)
    : frame_bytes_(frame_bytes), silence_(silence) {
  entries_.reserve(4);
}

Sample_Schedule::Frame Sample_Schedule::start(std::shared_ptr<const Device_Sound> sound, Frame at,
                                              bool loop) {
  at = std::max(at, handed_out_);
  for (const Entry& e : entries_)
    if (!e.loop) at = std::max(at, e.end);
  for (Entry& e : entries_)
    if (e.loop) e.end = std::min(e.end, at);
  std::erase_if(entries_, [&](const Entry& e) { return e.end <= handed_out_ || e.end <= e.begin; });

  const Frame end = loop ? std::numeric_limits<Frame>::max() : at + sound->frames;
  entries_.push_back({std::move(sound), at, end, loop});
  return at;
}

void Sample_Schedule::stop() { entries_.clear(); }

void Sample_Schedule::end_loop() {
  for (Entry& e : entries_)
    if (e.loop) e.end = std::min(e.end, std::max(e.begin, handed_out_));
}

void Sample_Schedule::fill(unsigned char* out, int frames) {
  Frame at = handed_out_;
  const Frame end = handed_out_ + frames;
  for (const Entry& e : entries_) {
    if (e.end <= at) continue;
    if (e.begin >= end) break;
    if (e.begin > at) {
      std::memset(out + (at - handed_out_) * frame_bytes_, silence_,
                  static_cast<std::size_t>((e.begin - at) * frame_bytes_));
      at = e.begin;
    }
    const Frame to = std::min(e.end, end);
    copy(e, at, to, out + (at - handed_out_) * frame_bytes_);
    at = to;
  }
  std::memset(out + (at - handed_out_) * frame_bytes_, silence_,
              static_cast<std::size_t>((end - at) * frame_bytes_));
  handed_out_ = end;
}

void Sample_Schedule::copy(const Entry& entry, Frame from, Frame to, unsigned char* out) const {
  const Device_Sound& sound = *entry.sound;
  while (from < to) {
    const Frame offset = (from - entry.begin) % sound.frames;
    const Frame run = std::min(to - from, sound.frames - offset);
    std::memcpy(out, sound.bytes.data() + offset * frame_bytes_,
                static_cast<std::size_t>(run * frame_bytes_));
    out += run * frame_bytes_;
    from += run;
  }
}
