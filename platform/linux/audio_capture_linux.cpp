#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <utility>

#include "platform/audio_capture.h"
#include "platform/linux/sdl_library.h"

namespace {

// Asked of the device: a rate that holds every tone Morse is sent at, and
// buffers of 64 ms, short beside a letter. The library may give another rate.
constexpr int capture_rate = 16000;
constexpr int capture_frames = 1024;
// What is kept when nobody takes it: the owner may be held up by a modal box;
// the oldest goes first, so memory stays bounded.
constexpr double kept_seconds = 30.0;

// Holds the audio subsystem for as long as it lives.
struct Audio_Subsystem {
  const Sdl_Library* sdl = sdl_library();
  bool held = sdl != nullptr && sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
  Audio_Subsystem() = default;
  Audio_Subsystem(const Audio_Subsystem&) = delete;
  Audio_Subsystem& operator=(const Audio_Subsystem&) = delete;
  ~Audio_Subsystem() {
    if (held) sdl->QuitSubSystem(SDL_INIT_AUDIO);
  }
  std::string error() const {
    if (sdl == nullptr) return sdl_library_failure();
    const char* text = sdl->GetError();
    return text != nullptr ? text : "";
  }
};

class Sdl_Capture final : public Audio_Capture {
 public:
  explicit Sdl_Capture(std::unique_ptr<Audio_Subsystem> subsystem)
      : subsystem_(std::move(subsystem)) {}
  ~Sdl_Capture() override {
    // Returns once the device's thread has left the callback for good.
    if (id_ != 0) subsystem_->sdl->CloseAudioDevice(id_);
  }

  bool open(const std::string& name, std::string& reason) {
    SDL_AudioSpec want{};
    want.freq = capture_rate;
    want.format = AUDIO_F32SYS;
    want.channels = 1;
    want.samples = capture_frames;
    want.callback = &Sdl_Capture::arrived;
    want.userdata = this;
    SDL_AudioSpec have{};
    id_ = subsystem_->sdl->OpenAudioDevice(name.empty() ? nullptr : name.c_str(), 1, &want, &have,
                                           SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (id_ == 0) {
      reason = subsystem_->error();
      return false;
    }
    rate_ = have.freq;
    kept_ = static_cast<std::size_t>(kept_seconds * rate_);
    subsystem_->sdl->PauseAudioDevice(id_, 0);
    return true;
  }

  double rate() const override { return rate_; }

  bool take(std::vector<float>& samples) override {
    {
      std::lock_guard lock(mutex_);
      samples.insert(samples.end(), buffer_.begin(), buffer_.end());
      buffer_.clear();
    }
    // A device that is gone is stopped by the library for good.
    return subsystem_->sdl->GetAudioDeviceStatus(id_) != SDL_AUDIO_STOPPED;
  }

 private:
  static void arrived(void* user, Uint8* bytes, int length) {
    auto* self = static_cast<Sdl_Capture*>(user);
    const auto* samples = reinterpret_cast<const float*>(bytes);
    const std::size_t count = static_cast<std::size_t>(length) / sizeof(float);
    std::lock_guard lock(self->mutex_);
    std::vector<float>& buffer = self->buffer_;
    buffer.insert(buffer.end(), samples, samples + count);
    if (buffer.size() > self->kept_)
      buffer.erase(buffer.begin(), buffer.end() - std::ptrdiff_t(self->kept_));
  }

  std::unique_ptr<Audio_Subsystem> subsystem_;
  SDL_AudioDeviceID id_ = 0;
  double rate_ = capture_rate;
  std::size_t kept_ = 0;
  std::mutex mutex_;
  std::vector<float> buffer_;
};

std::vector<std::string> names_of_devices(const Audio_Subsystem& subsystem) {
  std::vector<std::string> names;
  const int count = subsystem.sdl->GetNumAudioDevices(1);
  for (int i = 0; i < count; ++i)
    if (const char* name = subsystem.sdl->GetAudioDeviceName(i, 1)) names.emplace_back(name);
  return names;
}

}  // namespace

Capture_Opening open_audio_capture(const std::string& name) {
  auto subsystem = std::make_unique<Audio_Subsystem>();
  if (!subsystem->held) return {nullptr, Capture_Failure::No_Device, subsystem->error()};
  // A sound system that cannot tell its devices (-1) may still open its
  // default one; one that knows it has none cannot.
  const int count = subsystem->sdl->GetNumAudioDevices(1);
  if (count == 0) return {nullptr, Capture_Failure::No_Device, {}};
  if (!name.empty() && count > 0) {
    const std::vector<std::string> names = names_of_devices(*subsystem);
    if (std::find(names.begin(), names.end(), name) == names.end())
      return {nullptr, Capture_Failure::No_Device, "no capture device is named \"" + name + "\""};
  }
  auto capture = std::make_unique<Sdl_Capture>(std::move(subsystem));
  std::string reason;
  if (!capture->open(name, reason)) return {nullptr, Capture_Failure::Refused, reason};
  return {std::move(capture), Capture_Failure::None, {}};
}

std::vector<std::string> audio_capture_devices(std::string& reason) {
  const Audio_Subsystem subsystem;
  if (!subsystem.held) {
    reason = subsystem.error();
    return {};
  }
  return names_of_devices(subsystem);
}
