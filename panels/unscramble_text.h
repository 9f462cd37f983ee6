#pragma once
// Texts the program keeps in scrambled form, so that they do not show as
// plain text in the binary, and the routine that turns them back.
//
// The scheme works on bytes: each printable ASCII byte (32..126) is rotated
// within that range by an amount that depends on its position, and the whole
// text is then reversed. Every other byte (line breaks, 8-bit characters)
// keeps its value and is only moved by the reversal. Scrambling and
// unscrambling are exact inverses for any byte string.

#include <string>

// With unscramble true, returns the plain text of a scrambled one; with false,
// returns the scrambled form of a plain text (what is stored below).
std::string Unscramble_Text(const std::string& text, bool unscramble);

// The About dialog's stored texts, scrambled.
extern const char* const Scrambled_Developed_Using_Text;
extern const char* const Scrambled_Comments_Text;
extern const char* const Scrambled_WEB_Page_Text;
extern const char* const Scrambled_Email_Address;
extern const char* const Scrambled_WEB_Address;
// The question asked before the factory defaults are restored.
extern const char* const Scrambled_Factory_Defaults_Question;
