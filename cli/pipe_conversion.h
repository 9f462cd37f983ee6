#pragma once
// A conversion of the window run as a filter: UTF-8 lines in, UTF-8 lines
// out, each line mapped through the alphabet's code page and converted the
// way the window converts a line of its input area. What the output area
// would show as a control picture is written as the control character
// itself, as "Copy" puts it on the clipboard.

#include <cstdint>
#include <string>

#include "cli/byte_streams.h"
#include "shell/area_conversion.h"

// Every output line ends with a line feed. False, with `error` set, when the
// input could not be read or the output not written; the lines converted
// until then are out. Text to Morse adds to `uncoded`, when given, the
// characters it left out for want of a code.
bool convert_pipe(Conversion conversion, int alphabet_index, Byte_Source& in, Byte_Sink& out,
                  std::string& error, std::uint64_t* uncoded = nullptr);
