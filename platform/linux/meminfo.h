#pragma once
// The Linux memory meter reads the kernel's /proc/meminfo; tests point it at
// files of their own.

#include <memory>
#include <string>

#include "platform/memory_status.h"

std::unique_ptr<Memory_Meter> make_meminfo_memory_meter(std::string path);
