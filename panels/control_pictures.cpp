#include "panels/control_pictures.h"

namespace {

constexpr char16_t kFirst_Picture = u'\u2400';  // NUL
constexpr char16_t kLast_Picture = u'\u241F';   // UNIT SEPARATOR
constexpr char16_t kDelete_Picture = u'\u2421';
constexpr char16_t kDelete = u'\x7F';

}  // namespace

std::u16string with_control_characters(std::u16string_view shown) {
  std::u16string raw(shown);
  for (char16_t& c : raw) {
    if (c >= kFirst_Picture && c <= kLast_Picture) {
      c = static_cast<char16_t>(c - kFirst_Picture);
    } else if (c == kDelete_Picture) {
      c = kDelete;
    }
  }
  return raw;
}
