#include "cli/pipe_conversion.h"

#include <cstring>

#include "cli/line_reader.h"
#include "cli/uncoded_characters.h"
#include "shell/code_page.h"

namespace {

// Whatever was converted goes out before the program waits for more input,
// so a line typed at a terminal is answered at once while a file still goes
// through in large writes.
class Flushing_Source final : public Byte_Source {
 public:
  Flushing_Source(Byte_Source& source, Output_Buffer& output) : source_(source), output_(output) {}
  std::size_t read_some(char* buffer, std::size_t size) override {
    output_.flush();
    return source_.read_some(buffer, size);
  }
  int error() const override { return source_.error(); }

 private:
  Byte_Source& source_;
  Output_Buffer& output_;
};

bool codes_are_ascii(const TMorse_Code_Table& table) {
  for (int c = 1; c <= 255; ++c) {
    for (const char symbol : table[c].Morse_Code) {
      if (static_cast<unsigned char>(symbol) >= 0x80) return false;
    }
  }
  return true;
}

}  // namespace

bool convert_pipe(Conversion conversion, int alphabet_index, Byte_Source& in, Byte_Sink& out,
                  std::string& error, std::uint64_t* uncoded) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, alphabet_index);
  const Code_Page page = code_page_of_alphabet(alphabet_index);

  Output_Buffer output(out);
  Flushing_Source source(in, output);
  Line_Reader reader(source);
  // Codes are dots, dashes and spaces, so Morse comes out as ASCII, which is
  // its own UTF-8; a table that held anything else is decoded like text.
  const bool ascii_out = conversion == Conversion::Text_to_Morse && codes_are_ascii(table);
  const bool counting = conversion == Conversion::Text_to_Morse && uncoded != nullptr;
  Uncoded_Characters left_out(table);
  // Each line is converted straight onto what is gathered for output (or, when it has to be
  // decoded, into one buffer used for every line), so nothing is copied twice.
  std::string encoded;
  std::string converted;
  std::string_view line;
  while (!output.failed() && reader.next(line)) {
    std::string_view bytes = line;
    if (!reader.ascii()) {
      encoded = encode_utf8_to_code_page(page, line);
      bytes = encoded;
      if (counting) left_out.add_encoded_line(line, bytes);
    } else if (counting) {
      left_out.add_ascii_line(line);
    }
    std::string& gathered = output.gathered();
    if (ascii_out) {
      append_converted_line(conversion, table, bytes, gathered);
    } else {
      converted.clear();
      append_converted_line(conversion, table, bytes, converted);
      append_code_page_as_utf8(page, converted, gathered);
    }
    gathered += '\n';
    output.commit();
  }
  output.flush();
  if (counting) *uncoded += left_out.count();
  if (in.error() != 0) {
    error = std::string("cannot read the input: ") + std::strerror(in.error());
    return false;
  }
  if (output.failed()) {
    error = "cannot write the output";
    if (out.error() != 0) error += std::string(": ") + std::strerror(out.error());
    return false;
  }
  return true;
}
