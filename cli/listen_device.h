#pragma once
// `--listen-device [NAME]`: the default (or the named) capture device decoded
// live, its text (or Morse code) written and flushed as it is decided until
// asked to stop; the last word goes out then. `--list-devices`: the names of
// the capture devices, one a line.

#include <functional>
#include <string>

#include "cli/byte_streams.h"

struct Listen_Device_Request {
  std::string device;  // empty: the default one
  bool morse = false;
  int alphabet = 0;
};

struct Listen_Device_Loop {
  std::function<bool()> stop_requested;
  std::function<void()> wait;  // between two looks at the device
};

// False, with `error` set, when the device cannot be opened, is lost, or the
// output cannot be written; what was heard before a loss is written first.
bool listen_to_device(const Listen_Device_Request& request, const Listen_Device_Loop& loop,
                      Byte_Sink& out, std::string& error);

bool list_capture_devices(Byte_Sink& out, std::string& error);

// Until SIGINT or SIGTERM, looking every 50 ms.
Listen_Device_Loop until_interrupted();
