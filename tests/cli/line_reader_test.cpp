// Lines as the window's text area would make them out of the same text,
// however the input arrives in pieces.

#include "cli/line_reader.h"

#include <gtest/gtest.h>

#include "string_streams.h"

namespace {

using Lines = std::vector<std::string>;

Lines lines_of(const std::string& input, std::size_t piece, std::size_t chunk) {
  String_Source source(input, piece);
  Line_Reader reader(source, chunk);
  Lines lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  return lines;
}

TEST(LineReader, BreaksOfEveryKindInPiecesOfEverySize) {
  const struct {
    std::string input;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"a", {"a"}},
      {"a\nb\n", {"a", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},  // CR LF is one break
      {"a\rb\r\r\nc", {"a", "b", "", "c"}},
      {"a\n\r", {"a", ""}},
      {"a\xE2\x80\xA9"
       "b\xEF\xB7\x90"
       "c\xEF\xB7\x91",
       {"a", "b", "c"}},
      // Near misses of the three-byte breaks stay in the line, also when cut
      // off by the end of the input.
      {"a\xE2\x80\xA8"
       "b\xEF\xB7\x92\n\xE2\x80",
       {"a\xE2\x80\xA8"
        "b\xEF\xB7\x92",
        "\xE2\x80"}},
      {"\xE2\xE2\x80\xA9x", {"\xE2", "x"}},
      {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  for (const auto& c : cases) {
    for (std::size_t piece : {1, 2, 3, 5, 1000}) {
      for (std::size_t chunk : {4, 7, 64}) {
        EXPECT_EQ(lines_of(c.input, piece, chunk), c.lines)
            << testing::PrintToString(c.input) << " piece " << piece << " chunk " << chunk;
      }
    }
  }
}

TEST(LineReader, ALineLongerThanTheBufferComesWhole) {
  const std::string long_line(100000, 'x');
  EXPECT_EQ(lines_of(long_line + "\r\n" + long_line, 4096, 1000), (Lines{long_line, long_line}));
}

}  // namespace
