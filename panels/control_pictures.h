#pragma once
// Text areas show control characters inside a line as their Unicode pictures
// (U+2400 + c, U+2421 for DEL) so that every line stays one line on screen;
// text leaving the program goes out with the raw characters again.

#include <string>
#include <string_view>

// U+2400..U+241F become 0x00..0x1F and U+2421 becomes 0x7F; everything else is kept.
std::u16string with_control_characters(std::u16string_view shown);

// The short name a control picture shows ("LF" for U+240A, "SUB" for U+241A,
// "DEL" for U+2421); empty for any other character.
std::string_view control_picture_name(char16_t c);
