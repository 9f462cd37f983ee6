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

// The message loop as a conversion sees it between its steps.
class Conversion_Turns {
 public:
  virtual ~Conversion_Turns() = default;
  // Whether the loop is to run now. Asked after every line and every token,
  // so it must cost next to nothing.
  virtual bool due() = 0;
  // Lets the loop run once.
  virtual void run() = 0;
};

// Both conversions offer the loop a turn after every line (and Morse to text
// after every token too) and take it when it is due. The converted lines are
// put into the output area together, before each turn and at the end, so
// that whatever runs in a turn finds every line converted so far, as if each
// had been appended on its own.

// One output line per input line, each code followed by one space.
void convert_text_area_to_morse(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                Conversion_Turns& turns);

// One output line per input line.
void convert_morse_area_to_text(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                Conversion_Turns& turns);
