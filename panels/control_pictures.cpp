#include "panels/control_pictures.h"

namespace {

constexpr char16_t kFirst_Picture = u'\u2400';  // NUL
constexpr char16_t kLast_Picture = u'\u241F';   // UNIT SEPARATOR
constexpr char16_t kDelete_Picture = u'\u2421';
constexpr char16_t kDelete = u'\x7F';

constexpr std::string_view kNames[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                       "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                       "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                       "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

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

std::string_view control_picture_name(char16_t c) {
  if (c >= kFirst_Picture && c <= kLast_Picture) return kNames[c - kFirst_Picture];
  if (c == kDelete_Picture) return "DEL";
  return {};
}
