#pragma once

#include <string>
#include <string_view>

// Conversion between the 8-bit bytes the engine works on and the UTF-16 text shown in the
// window. Standard library only, so that it builds on every platform.

enum class Code_Page { Windows_1252, Windows_1251 };

// The page of an alphabet (index as the alphabet group numbers them): Windows-1251 for
// Russian, Windows-1252 for the Latin alphabets.
constexpr Code_Page code_page_of_alphabet(int alphabet_index) {
  return alphabet_index == 3 ? Code_Page::Windows_1251 : Code_Page::Windows_1252;
}

// Unicode (UTF-16 code units) -> bytes. A character the code page cannot hold has no byte:
// it is dropped, never replaced by '?' or 0x1A. Surrogates, paired or not, are dropped too.
// The control pictures U+2400..U+241F map back to bytes 0x00..0x1F and U+2421 to 0x7F, so
// text copied from the output area reads back as the bytes it showed.
std::string encode_to_code_page(Code_Page cp, std::u16string_view text);

// Bytes -> UTF-16. When control_pictures is true, bytes 0x00..0x1F become U+2400 + byte and
// 0x7F becomes U+2421, so that a line never contains a line break or other control character.
std::u16string decode_from_code_page(Code_Page cp, std::string_view bytes, bool control_pictures);
// The same into `out`, which has room for bytes.size() code units (one per byte).
void decode_from_code_page(Code_Page cp, std::string_view bytes, bool control_pictures,
                           char16_t* out);

// The byte of one character by the rules of encode_to_code_page, or -1 when it has none.
// Characters beyond U+FFFF have none: in UTF-16 they are surrogate pairs.
int code_page_byte(Code_Page cp, char32_t c);

// UTF-8 -> bytes, character by character as encode_to_code_page does it. A malformed sequence
// (overlong, a surrogate, a stray or missing continuation byte) holds no character and is
// dropped, as the replacement character that a UTF-8 decoder puts in its place would be. The
// bytes after it are read afresh, so a broken sequence never swallows the ASCII that follows.
std::string encode_utf8_to_code_page(Code_Page cp, std::string_view utf8);

// Bytes -> UTF-8, every byte as its character, control bytes as themselves.
std::string decode_code_page_to_utf8(Code_Page cp, std::string_view bytes);
// The same, appended to `out`.
void append_code_page_as_utf8(Code_Page cp, std::string_view bytes, std::string& out);
