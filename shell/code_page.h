#pragma once

#include <string>
#include <string_view>

// Conversion between the 8-bit bytes the engine works on and the UTF-16 text shown in the
// window. Standard library only, so that it builds on every platform.

enum class Code_Page { Windows_1252, Windows_1251 };

// Unicode (UTF-16 code units) -> bytes. A character the code page cannot hold has no byte:
// it is dropped, never replaced by '?' or 0x1A. Surrogates, paired or not, are dropped too.
// The control pictures U+2400..U+241F map back to bytes 0x00..0x1F and U+2421 to 0x7F, so
// text copied from the output area reads back as the bytes it showed.
std::string encode_to_code_page(Code_Page cp, std::u16string_view text);

// Bytes -> UTF-16. When control_pictures is true, bytes 0x00..0x1F become U+2400 + byte and
// 0x7F becomes U+2421, so that a line never contains a line break or other control character.
std::u16string decode_from_code_page(Code_Page cp, std::string_view bytes, bool control_pictures);
