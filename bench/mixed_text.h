// The comparison input: mixed ASCII text (letters of both cases, digits, punctuation, spaces)
// in 60-character lines, and its Morse form, shared by our loops and the peer library's.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "engine/morse_table.h"
#include "engine/text_to_morse.h"

namespace mixed_text {

constexpr std::size_t kBytes = 4 << 20;
constexpr std::size_t kLine = 60;

inline const TMorse_Code_Table& english() {
  static const TMorse_Code_Table table = [] {
    TMorse_Code_Table t;
    Build_Morse_Code_Table(t, kAlphabet_English);
    return t;
  }();
  return table;
}

// Words of 1 to 9 characters drawn from the printable ASCII range, letters weighted as in
// prose, separated by single spaces.
inline const std::vector<std::string>& text_lines() {
  static const std::vector<std::string> lines = [] {
    static const char kPunctuation[] = ".,?'!/()&:;=+-_\"$@";
    std::mt19937 gen(41);
    std::uniform_int_distribution<int> kind(0, 99), letter(0, 25), digit(0, 9),
        mark(0, sizeof kPunctuation - 2), length(1, 9);
    std::string text;
    text.reserve(kBytes + 16);
    while (text.size() < kBytes) {
      for (int n = length(gen); n > 0; --n) {
        const int k = kind(gen);
        if (k < 45)
          text += static_cast<char>('a' + letter(gen));
        else if (k < 80)
          text += static_cast<char>('A' + letter(gen));
        else if (k < 92)
          text += static_cast<char>('0' + digit(gen));
        else
          text += kPunctuation[mark(gen)];
      }
      text += ' ';
    }
    text.resize(kBytes);
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size(); at += kLine) out.push_back(text.substr(at, kLine));
    return out;
  }();
  return lines;
}

inline const std::vector<std::string>& morse_lines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out;
    for (const std::string& line : text_lines()) out.push_back(text_line_to_morse(english(), line));
    return out;
  }();
  return lines;
}

}  // namespace mixed_text
