#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/audio_player.h"
#include "platform/linux/device_sound_decoder.h"
#include "platform/linux/sample_clock.h"
#include "platform/linux/sample_schedule.h"
#include "platform/linux/sdl_audio_device.h"
#include "platform/linux/sdl_library.h"

namespace {

using Steady = std::chrono::steady_clock;
using Frame = Sample_Schedule::Frame;

// How long the device may go without asking for samples before it counts as
// gone: far beyond any buffer, short enough not to hang the caller for good.
constexpr auto kDevice_Silent_For = std::chrono::seconds(2);

// How many decoded sounds are kept: the dot and the dash.
constexpr std::size_t kDecoded_Kept = 2;

// Plays on the sound library's device, timed as `play_and_wait` tells.
class Sdl_Audio_Player final : public Audio_Player {
 public:
  ~Sdl_Audio_Player() override {
    if (opener_.joinable()) opener_.join();
  }

  bool play_sync(const Sound_Image& image) override { return play(image, Play_Kind::paced); }
  bool play_sync_at_once(const Sound_Image& image) override {
    return play(image, Play_Kind::keyed);
  }

  void get_ready() override {
    if (opened_ || opener_.joinable()) return;
    opener_ = std::thread([this] {
      open_device();
      sdl_library_thread_done();
    });
  }

  std::optional<Steady::time_point> last_sound_started() const override {
    std::lock_guard lock(mutex_);
    return last_started_;
  }

  std::string no_sound_reason() const override { return sdl_library_failure(); }

  bool play_loop(const Sound_Image& image) override {
    const Steady::time_point asked = Steady::now();
    const auto sound = prepare(image);
    if (!sound) return false;
    std::lock_guard lock(mutex_);
    schedule_->start(sound, clock_->paced_start(asked), true);
    return true;
  }

  void stop_all() override {
    if (!opened_) return;
    std::lock_guard lock(mutex_);
    schedule_->stop();
  }

 private:
  bool play(const Sound_Image& image, Play_Kind kind) {
    const Steady::time_point asked = Steady::now();
    const auto sound = prepare(image);
    if (!sound) return false;

    std::unique_lock lock(mutex_);
    return play_and_wait(*clock_, *schedule_, sound, asked, kind,
                         {.now = [] { return Steady::now(); },
                          .wait_until = [&](Steady::time_point t) { woken_.wait_until(lock, t); },
                          .scheduled = [&](Frame begin) { starting_ = begin; },
                          .silent_for = kDevice_Silent_For});
  }

  // The image in the device's format, with the device open and running; null
  // when it cannot be played, which ends a loop as any later play does.
  std::shared_ptr<const Device_Sound> prepare(const Sound_Image& image) {
    std::shared_ptr<const Device_Sound> sound;
    if (image && !image->empty() && open_device()) sound = decoded(image);
    if (!sound && opened_) {
      std::lock_guard lock(mutex_);
      schedule_->end_loop();
    }
    return sound;
  }

  // Decoding takes longer than a device buffer, so the last sounds stay
  // decoded, found again by their bytes: an owner may change the bytes of an
  // image it holds, and the player keeps no owner's bytes alive.
  std::shared_ptr<const Device_Sound> decoded(const Sound_Image& image) {
    for (const auto& [bytes, sound] : decoded_)
      if (bytes == *image) return sound;
    auto sound = decode_for_device(*image, device_->format());
    if (sound) {
      if (decoded_.size() == kDecoded_Kept) decoded_.erase(decoded_.begin());
      decoded_.emplace_back(*image, sound);
    }
    return sound;
  }

  // On the window's thread, or on the opener's thread ahead of the first
  // sound; a play meanwhile waits for the opener.
  bool open_device() {
    std::lock_guard opening(opening_);
    if (opened_) return true;
    auto device = Sdl_Audio_Device::open(&Sdl_Audio_Player::feed, this);
    if (!device) return false;
    std::unique_lock lock(mutex_);
    // One buffer so that the start frame has not been handed out yet, one
    // more for the time decoding takes between the request and the start.
    clock_.emplace(device->format().freq, 2 * device->format().samples);
    schedule_.emplace(device->frame_bytes(), device->format().silence);
    frame_bytes_ = device->frame_bytes();
    rate_ = device->format().freq;
    lock.unlock();

    device->resume();
    lock.lock();
    const bool running =
        woken_.wait_for(lock, kDevice_Silent_For, [&] { return clock_->started(); });
    lock.unlock();
    // A device that never asks for samples is closed here, and opened again
    // at the next play.
    if (running) {
      device_ = std::move(device);
      opened_ = true;
    }
    return running;
  }

  // On the device's thread.
  static void feed(void* user, Uint8* out, int bytes) {
    auto& self = *static_cast<Sdl_Audio_Player*>(user);
    const Steady::time_point at = Steady::now();  // before the lock, whose wait is no part of it
    bool first = false;
    {
      std::lock_guard lock(self.mutex_);
      first = !self.clock_->started();
      const Frame from = self.schedule_->handed_out();
      const int frames = bytes / self.frame_bytes_;
      self.clock_->on_callback(at, from);
      if (self.starting_ && *self.starting_ < from + frames) {
        const Frame into = std::max<Frame>(*self.starting_ - from, 0);
        self.last_started_ = at + std::chrono::nanoseconds(into * 1'000'000'000 / self.rate_);
        self.starting_.reset();
      }
      self.schedule_->fill(out, frames);
    }
    if (first) self.woken_.notify_all();
  }

  mutable std::mutex mutex_;
  std::condition_variable woken_;
  // Under mutex_, shared with the device's thread.
  std::optional<Sample_Clock> clock_;
  std::optional<Sample_Schedule> schedule_;
  int frame_bytes_ = 0;
  int rate_ = 0;
  std::optional<Frame> starting_;  // the first frame of the last sound, until handed out
  std::optional<Steady::time_point> last_started_;

  // Held while the device opens; opened_ is set, for good, once it runs.
  std::mutex opening_;
  std::atomic<bool> opened_ = false;
  std::thread opener_;
  // On the window's thread only.
  std::vector<std::pair<std::vector<unsigned char>, std::shared_ptr<const Device_Sound>>> decoded_;

  // Declared last so that it is closed first: closing waits for the device's
  // thread to leave `feed`, which uses everything above.
  std::unique_ptr<Sdl_Audio_Device> device_;
};

}  // namespace

std::unique_ptr<Audio_Player> make_system_audio_player() {
  return std::make_unique<Sdl_Audio_Player>();
}
