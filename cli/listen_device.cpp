#include "cli/listen_device.h"

#include <chrono>
#include <csignal>
#include <thread>

#include "cli/listen_output.h"
#include "sound/live_listening.h"

bool listen_to_device(const Listen_Device_Request& request, const Listen_Device_Loop& loop,
                      Byte_Sink& out, std::string& error) {
  Capture_Opening opening = open_audio_capture(request.device);
  if (!opening.capture) {
    error = capture_failure_message(opening);
    return false;
  }
  Live_Listening listening(std::move(opening.capture));
  Listen_Output output(request.morse, request.alphabet, out);
  bool lost = false;
  while (!output.failed() && !loop.stop_requested()) {
    if (!listening.poll()) {
      lost = true;
      break;
    }
    output.add(listening.take(), false);
    loop.wait();
  }
  listening.finish();
  output.add(listening.take(), true);
  if (output.failed()) {
    error = "cannot write the output";
    return false;
  }
  if (lost) error = kCapture_Lost_Message;
  return !lost;
}

bool list_capture_devices(Byte_Sink& out, std::string& error) {
  std::string reason;
  std::string lines;
  for (const std::string& name : audio_capture_devices(reason)) lines += name + "\n";
  if (!out.write(lines)) {
    error = "cannot write the output";
    return false;
  }
  return true;
}

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void on_interrupt(int) { interrupted = 1; }

}  // namespace

Listen_Device_Loop until_interrupted() {
  interrupted = 0;
  std::signal(SIGINT, on_interrupt);
  std::signal(SIGTERM, on_interrupt);
  return {[] { return interrupted != 0; },
          [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }};
}
