#pragma once
// Sound from a capture device (a microphone, a line input), as mono samples.
// The device's thread fills a buffer; the owner takes what has come whenever
// it looks, from its own thread.

#include <memory>
#include <string>
#include <vector>

class Audio_Capture {
 public:
  virtual ~Audio_Capture() = default;
  // Samples a second of what take() gives.
  virtual double rate() const = 0;
  // Appends the samples captured since the last call. False once the device
  // has gone (unplugged, its server stopped): nothing more will come.
  virtual bool take(std::vector<float>& samples) = 0;
};

enum class Capture_Failure { None, No_Device, Refused };

struct Capture_Opening {
  std::unique_ptr<Audio_Capture> capture;  // null on failure
  Capture_Failure failure = Capture_Failure::None;
  std::string reason;  // the sound system's own words, when it gave any
};

// The default capture device when `name` is empty, else the one of that name.
Capture_Opening open_audio_capture(const std::string& name);
// The names of the capture devices there are; none when there is no sound
// system (the reason in `reason`).
std::vector<std::string> audio_capture_devices(std::string& reason);
