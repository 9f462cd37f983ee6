#include "platform/audio_capture.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

namespace {

// The tests run with the system's sound driver switched off, where there is
// no capture device at all; a machine with devices still has none of a name
// that no device bears.
TEST(Windows_Audio_Capture, WithoutSuchDeviceNothingOpens) {
  const Capture_Opening named = open_audio_capture("no such microphone");
  EXPECT_EQ(named.capture, nullptr);
  EXPECT_EQ(named.failure, Capture_Failure::No_Device);
  if (waveInGetNumDevs() != 0) {
    EXPECT_NE(named.reason.find("no such microphone"), std::string::npos) << named.reason;
    return;
  }
  std::string reason;
  EXPECT_TRUE(audio_capture_devices(reason).empty());
  const Capture_Opening opening = open_audio_capture({});
  EXPECT_EQ(opening.capture, nullptr);
  EXPECT_EQ(opening.failure, Capture_Failure::No_Device);
}

}  // namespace
