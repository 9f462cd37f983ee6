// Text to Morse, one line at a time.
#pragma once

#include <string>
#include <string_view>

#include "engine/morse_table.h"

// Upper-cases a..z only, drops every byte whose table entry has no code (and byte 0) and
// writes each remaining byte's code followed by one space. A space or TAB (code " ") thus
// gives two spaces, three in all between two words.
std::string text_line_to_morse(const TMorse_Code_Table& table, std::string line);

// The same, appended to `out`, which keeps what it held: for callers that gather many lines
// into one buffer.
void append_text_line_to_morse(const TMorse_Code_Table& table, std::string_view line,
                               std::string& out);
