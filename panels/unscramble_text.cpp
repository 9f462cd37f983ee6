#include "panels/unscramble_text.h"

#include <algorithm>

namespace {

constexpr int kFirst = 32;  // ' '
constexpr int kRange = 95;  // ' ' to '~'

int shift_at(std::size_t position) { return static_cast<int>((position * 29 + 17) % kRange); }

bool printable(unsigned char c) { return c >= kFirst && c < kFirst + kRange; }

}  // namespace

std::string Unscramble_Text(const std::string& text, bool unscramble) {
  std::string result = text;
  if (unscramble) std::reverse(result.begin(), result.end());
  for (std::size_t i = 0; i < result.size(); ++i) {
    const auto c = static_cast<unsigned char>(result[i]);
    if (!printable(c)) continue;
    const int shift = unscramble ? kRange - shift_at(i) : shift_at(i);
    result[i] = static_cast<char>(kFirst + (c - kFirst + shift) % kRange);
  }
  if (!unscramble) std::reverse(result.begin(), result.end());
  return result;
}

// Made with Unscramble_Text(plain, false); the tests hold the plain texts.
const char* const Scrambled_Developed_Using_Text = R"~(9e=\m5"WXK0kNIh3|ZG,x@$qS3nb4U)~";
const char* const Scrambled_Comments_Text =
    R"~(}8xYK=nZ5(]C lU-\]&gU,+SD&e&;bB)xh0|RSzgA2!o5{M4])~";
const char* const Scrambled_WEB_Page_Text = R"~(lz_<. E+ j@&bU'j]4pG;r]C$u>.mNCjW-.d9+Z@/vcR|c4_)~";
const char* const Scrambled_Email_Address = R"~(N3iv1zaAwqA^oI9!\0&)~";
const char* const Scrambled_WEB_Address = R"~(/hX@{OEBcH~,F0vV-'Va.pSM0}:y`Cy)~";
// The question before the factory defaults: four sentences, the last after a
// blank line.
const char* const Scrambled_Factory_Defaults_Question =
    "E\\@zf5|^@>zV6}O0ws<\"p^'vV> TD4fN<sP&~iB~kT'>\n\n0I-|N5~XW "
    "__/qQB-c4zj<=hW5jj<yrJ1`R@hN|\n{9'["
    "K\"_`8xJ@\"p@#bS>nE9p[A\"s<\"p^&rHIpTFyc?!~G''V9xiT|fF&\"X/xVD'ZK:bHv\nu>\"\\Hv^@\" "
    "\\8w_1qYU+dC)we8 m<vW;;mHCrU5&pG}gE3uI:)X;R";
