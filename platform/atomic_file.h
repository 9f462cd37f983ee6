#pragma once
// The system's side of a file that appears whole or not at all: it is written
// under a temporary name beside its target, put on the disk, and then moved
// over the target in one step.

#include <string>

// Creates and opens for writing (binary) a new, empty file beside `target`,
// named `target` with a unique ending, with the rights a new file usually
// gets. Its descriptor, or -1 with errno set.
int create_temporary_beside(const std::string& target, std::string& temporary);

// Puts what was written to the descriptor on the disk; false with errno set.
bool sync_to_disk(int fd);

// Moves `temporary` over `target`, replacing a file that is there; false with
// errno set.
bool move_over(const std::string& temporary, const std::string& target);
