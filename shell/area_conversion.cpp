#include "shell/area_conversion.h"

#include "engine/morse_to_text.h"
#include "engine/text_to_morse.h"

namespace {

// Both conversions share the frame: clear the output, walk the input lines
// with the count re-read each time, then show the start of the output.
void convert_lines(Conversion conversion, Line_Area& input, Line_Area& output,
                   const TMorse_Code_Table& table, Conversion_Turns& turns) {
  output.clear();
  Line_Batch converted;  // lines not yet in the output area
  std::string line_out;  // one buffer for every line
  const auto take_turn = [&] {
    if (!converted.empty()) {
      output.append_lines(converted);
      converted.clear();
    }
    turns.run();
  };
  std::function<void()> after_token;
  if (conversion == Conversion::Morse_to_Text) {
    after_token = [&] {
      if (turns.due()) take_turn();
    };
  }
  for (int i = 0; i < input.count(); ++i) {
    const std::string line = input.line(i);  // kept as it is while tokens yield
    line_out.clear();
    append_converted_line(conversion, table, line, line_out, after_token);
    converted.add(line_out);
    if (turns.due()) take_turn();
  }
  if (!converted.empty()) output.append_lines(converted);
  output.set_selection_start(1);
}

}  // namespace

void append_converted_line(Conversion conversion, const TMorse_Code_Table& table,
                           std::string_view line, std::string& out,
                           const std::function<void()>& after_token) {
  if (conversion == Conversion::Text_to_Morse) {
    append_text_line_to_morse(table, line, out);
  } else {
    append_morse_line_to_text(table, line, out, after_token);
  }
}

void convert_text_area_to_morse(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                Conversion_Turns& turns) {
  convert_lines(Conversion::Text_to_Morse, input, output, table, turns);
}

void convert_morse_area_to_text(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                Conversion_Turns& turns) {
  convert_lines(Conversion::Morse_to_Text, input, output, table, turns);
}
