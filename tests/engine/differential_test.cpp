// The fast routines against the plain step-by-step versions in reference.cpp, on random
// inputs from small alphabets, where the odd cases (occurrences formed by a replacement,
// shared codes, blank tokens) come up often.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "engine/numutil.h"
#include "engine/strutil.h"
#include "engine/text_to_morse.h"
#include "tests/engine/reference.h"

namespace {

class Random {
 public:
  explicit Random(unsigned seed) : gen_(seed) {}
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
  // A string of up to max_pieces pieces drawn from the list.
  std::string from(const std::vector<std::string>& pieces, int max_pieces) {
    std::string s;
    for (int n = below(max_pieces + 1); n > 0; --n)
      s += pieces[below(static_cast<int>(pieces.size()))];
    return s;
  }

 private:
  std::mt19937 gen_;
};

std::string fast_extract(const std::string& s) {
  try {
    return std::to_string(NUMUTIL_Extract_Integer(s));
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
}

std::string fast_extract_from_field(const std::string& s, const std::string& sep, int n) {
  try {
    return std::to_string(NUMUTIL_Extract_Integer_From_Field(s, sep, n));
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
}

TEST(Differential, ReplaceAllAndCountOnShortStrings) {
  Random rnd(1);
  const std::vector<std::string> letters = {"a", "b"};
  const std::vector<std::string> with_placeholder = {"a", "b", "b", STRUTIL_PLACEHOLDER, "\x01"};
  for (int round = 0; round < 60000; ++round) {
    const auto& pieces = round % 8 == 0 ? with_placeholder : letters;
    const std::string s = rnd.from(pieces, 12);
    const std::string find = rnd.from(letters, 4);
    const std::string replace = rnd.from(letters, 4);
    ASSERT_EQ(STRUTIL_Replace_All(s, find, replace), reference::replace_all(s, find, replace))
        << "S=" << s << " Find=" << find << " Replace=" << replace;
    ASSERT_EQ(STRUTIL_Count_Occurrences(s, find), reference::count_occurrences(s, find))
        << "S=" << s << " Find=" << find;
  }
}

TEST(Differential, ReplaceAllWithLongFind) {
  Random rnd(2);
  int compared = 0;
  for (int round = 0; round < 1000; ++round) {
    const std::string find = rnd.from({"a", "b", "ab"}, 120) + "ab";
    if (find.size() < 70) continue;
    const std::vector<std::string> pieces = {find, find.substr(0, find.size() / 2),
                                             find.substr(find.size() / 3), "a", "b"};
    const std::string s = rnd.from(pieces, 12);
    const std::string replace = rnd.below(2) ? find.substr(1, rnd.below(40)) : rnd.from(pieces, 2);
    const std::string expected = reference::replace_all(s, find, replace);
    ASSERT_EQ(STRUTIL_Replace_All(s, find, replace), expected);
    compared += expected.size() < s.size();  // something was replaced
    ASSERT_EQ(STRUTIL_Count_Occurrences(s, find), reference::count_occurrences(s, find));
  }
  EXPECT_GT(compared, 250);
}

TEST(Differential, LookupAndMorseLinesOnRandomTables) {
  Random rnd(3);
  const std::vector<std::string> codes = {".", "-", ".-", "-.", "..", ".-.-", "&", "-..-", "x"};
  const std::vector<std::string> line_pieces = {".",  "-", " ",    " ",    "  ", "&",
                                                "\t", "x", "\x01", "\xff", ".-", "-."};
  for (int round = 0; round < 400; ++round) {
    TMorse_Code_Table table;
    if (round % 4 == 0) Build_Morse_Code_Table(table, rnd.below(4));
    for (int n = rnd.below(60); n > 0; --n) {
      table[1 + rnd.below(255)].Morse_Code = rnd.below(8) ? codes[rnd.below(codes.size())] : "";
    }
    if (rnd.below(3) == 0) table['&'].Morse_Code = codes[rnd.below(codes.size())];
    for (const std::string& code : codes) {
      ASSERT_EQ(table.lowest_code_for(code), reference::lowest_code_for(table, code)) << code;
    }
    for (int k = 0; k < 20; ++k) {
      const std::string line = rnd.from(line_pieces, 20);
      int fast_tokens = 0;
      int slow_tokens = 0;
      ASSERT_EQ(morse_line_to_text(table, line, [&] { ++fast_tokens; }),
                reference::morse_line_to_text(table, line, [&] { ++slow_tokens; }))
          << "line=" << line;
      ASSERT_EQ(fast_tokens, slow_tokens) << "line=" << line;
      ASSERT_EQ(text_line_to_morse(table, line), reference::text_line_to_morse(table, line));
    }
  }
}

// Every token length the direct index covers and past it, tokens with other
// characters, and every byte in every alphabet (128 to 255 included).
TEST(Differential, LookupOfEveryLengthAndEveryByte) {
  Random rnd(5);
  for (int alphabet = 0; alphabet < 4; ++alphabet) {
    TMorse_Code_Table built;
    Build_Morse_Code_Table(built, alphabet);
    const TMorse_Code_Table table = built;  // a copy answers from its own index
    built[65].Morse_Code = "changed";
    for (int length = 0; length <= TMorse_Code_Table::kDirect_Max_Length + 2; ++length) {
      for (int k = 0; k < 40; ++k) {
        std::string token;
        for (int i = 0; i < length; ++i) token += rnd.below(2) ? '-' : '.';
        if (k % 8 == 7 && length > 0)
          token[static_cast<size_t>(rnd.below(length))] = " x\t&"[rnd.below(4)];
        ASSERT_EQ(table.lowest_code_for(token), reference::lowest_code_for(table, token)) << token;
      }
    }
    std::string every_byte;
    for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
    ASSERT_EQ(text_line_to_morse(table, every_byte),
              reference::text_line_to_morse(table, every_byte))
        << alphabet;
  }
}

TEST(Differential, ExtractInteger) {
  Random rnd(4);
  const std::vector<std::string> pieces = {"0", "1", "7",    "9",          "+",          "-",
                                           "a", " ", "\x01", "2147483647", "2147483648", "000"};
  for (int round = 0; round < 20000; ++round) {
    const std::string s = rnd.from(pieces, 8);
    ASSERT_EQ(fast_extract(s), reference::extract_integer(s)) << s;
  }
  const std::vector<std::string> field_pieces = {"1", "2", " ", " ", "-", "a", "ab"};
  const std::vector<std::string> seps = {" ", "  ", "1 ", "a", "ab", ""};
  for (int round = 0; round < 20000; ++round) {
    const std::string s = rnd.from(field_pieces, 10);
    const std::string& sep = seps[rnd.below(seps.size())];
    const int n = rnd.below(8) - 1;
    ASSERT_EQ(fast_extract_from_field(s, sep, n), reference::extract_integer_from_field(s, sep, n))
        << s << "|" << sep << "|" << n;
  }
}

}  // namespace
