#pragma once
// A memory meter that reports whatever the test sets, and counts its reads.

#include "platform/memory_status.h"

class Fake_Memory_Meter final : public Memory_Meter {
 public:
  Memory_Status read() override {
    ++reads;
    return status;
  }

  Memory_Status status;
  int reads = 0;
};
