#include "cli/pipe_conversion.h"

#include <cstring>

#include "cli/line_reader.h"
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

}  // namespace

bool convert_pipe(Conversion conversion, int alphabet_index, Byte_Source& in, Byte_Sink& out,
                  std::string& error) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, alphabet_index);
  const Code_Page page = code_page_of_alphabet(alphabet_index);

  Output_Buffer output(out);
  Flushing_Source source(in, output);
  Line_Reader reader(source);
  std::string line;
  while (!output.failed() && reader.next(line)) {
    const std::string converted =
        convert_line(conversion, table, encode_utf8_to_code_page(page, line));
    output.append(decode_code_page_to_utf8(page, converted));
    output.append("\n");
  }
  output.flush();
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
