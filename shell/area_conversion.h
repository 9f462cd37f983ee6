#pragma once
// The two conversions between the input and output areas. They run on the
// window thread and let the message loop run between steps, so whatever the
// user does meanwhile (editing the input, changing the alphabet, starting
// another conversion) is seen by the next line or token: the line count and
// each line are read afresh, and the table is read through the reference.

#include <functional>
#include <string>
#include <string_view>

#include "engine/morse_table.h"
#include "shell/line_area.h"

enum class Conversion { Text_to_Morse, Morse_to_Text };

// One input line's output line, appended to `out`: the step that both area
// conversions repeat, and the command line too. A Morse line calls
// `after_token` after every token; `line` must stay as it is meanwhile.
void append_converted_line(Conversion conversion, const TMorse_Code_Table& table,
                           std::string_view line, std::string& out,
                           const std::function<void()>& after_token = {});

// One output line per input line, each code followed by one space; yields
// after every line.
void convert_text_area_to_morse(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                const std::function<void()>& yield);

// One output line per input line; yields after every token and every line.
void convert_morse_area_to_text(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                const std::function<void()>& yield);
