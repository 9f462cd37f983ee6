// Morse to text, one line at a time.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/morse_table.h"

// Reads the codes of one line. Leading and trailing bytes up to 32 are ignored; codes are
// separated by spaces (byte 32 only), and a gap of two or more spaces gives one space in the
// text. Each code becomes the lowest byte whose table entry has it; the token "&" (and any
// "&" the table yields) becomes "."; tokens that are no code, and tokens that are empty once
// stripped of bytes up to 32, add nothing. after_token (if set) is called once after each
// token, so a caller can keep its window responsive; the table is looked up afresh for every
// token.
std::string morse_line_to_text(const TMorse_Code_Table& table, std::string line,
                               const std::function<void()>& after_token = {});

// The same, appended to `out`, which keeps what it held. `line` must stay as it is until the
// call returns, after_token included.
void append_morse_line_to_text(const TMorse_Code_Table& table, std::string_view line,
                               std::string& out, const std::function<void()>& after_token = {});
