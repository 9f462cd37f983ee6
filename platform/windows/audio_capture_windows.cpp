#include "platform/audio_capture.h"

// The Windows program has no capture: it says so as a system without a
// capture device would.
Capture_Opening open_audio_capture(const std::string&) {
  return {nullptr, Capture_Failure::No_Device, {}};
}

std::vector<std::string> audio_capture_devices(std::string&) { return {}; }
