#pragma once
// Windows only: the running program's full path, as the system knows it
// (argv[0] may be a bare name, found on PATH or in the working folder).

#include <string>

// Empty when the system cannot tell.
std::string running_program_path();
