#include "shell/area_conversion.h"

#include "engine/morse_to_text.h"
#include "engine/text_to_morse.h"

namespace {

// Both conversions share the frame: clear the output, walk the input lines
// with the count re-read each time, then show the start of the output.
template <class Convert_Line>
void convert_lines(Line_Area& input, Line_Area& output, const std::function<void()>& yield,
                   Convert_Line convert_line) {
  output.clear();
  for (int i = 0; i < input.count(); ++i) {
    output.append(convert_line(input.line(i)));
    if (yield) yield();
  }
  output.set_selection_start(1);
}

}  // namespace

std::string convert_line(Conversion conversion, const TMorse_Code_Table& table, std::string line,
                         const std::function<void()>& after_token) {
  return conversion == Conversion::Text_to_Morse
             ? text_line_to_morse(table, std::move(line))
             : morse_line_to_text(table, std::move(line), after_token);
}

void convert_text_area_to_morse(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                const std::function<void()>& yield) {
  convert_lines(input, output, yield, [&](std::string line) {
    return convert_line(Conversion::Text_to_Morse, table, std::move(line));
  });
}

void convert_morse_area_to_text(Line_Area& input, Line_Area& output, const TMorse_Code_Table& table,
                                const std::function<void()>& yield) {
  convert_lines(input, output, yield, [&](std::string line) {
    return convert_line(Conversion::Morse_to_Text, table, std::move(line), yield);
  });
}
