// Slow, step-by-step versions of the engine routines, written as plainly as possible, for the
// differential tests to compare the fast ones against.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "engine/morse_table.h"

namespace reference {

// Replace-all by repeated leftmost replacement from the start, with the placeholder route
// when Find occurs in Replace, and the same stopping limits as the fast one.
std::string replace_all(std::string s, const std::string& find, const std::string& replace);

int count_occurrences(std::string s, const std::string& find);

// Fill appended one at a time; the centred one puts each fill byte in front or behind in turn.
std::string pad_right(std::string s, char fill, int width);
std::string pad_centre(std::string s, char fill, int width);

// Searches entries 1 to 255 upwards for the first one with this code.
int lowest_code_for(const TMorse_Code_Table& table, const std::string& morse);

// Each character in turn: a to z upper-cased, then its entry's code and a space when it
// has one.
std::string text_line_to_morse(const TMorse_Code_Table& table, const std::string& line);

// Reads the line with a "rest" string that is cut down token by token, and replaces "&" in
// the whole output line after each token.
std::string morse_line_to_text(const TMorse_Code_Table& table, const std::string& line,
                               const std::function<void()>& after_token);

// Returns the integer, or the exception message.
std::string extract_integer(const std::string& s);
std::string extract_integer_from_field(std::string s, const std::string& sep, int n);

}  // namespace reference
