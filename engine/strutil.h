// String routines shared by the whole program.
//
// Strings are 8-bit byte strings; positions in the descriptions count from 1 and searches
// compare bytes exactly. The empty string never occurs inside another string. Every routine
// takes its arguments by value and leaves the caller's strings alone.
#pragma once

#include <string>

// The six control bytes 01 02 03 04 05 01 that STRUTIL_Replace_All uses to keep a
// replacement text that contains Find from being searched again.
inline constexpr char STRUTIL_PLACEHOLDER[] = "\x01\x02\x03\x04\x05\x01";

// Replaces Find by Replace until no occurrence is left, always taking the leftmost
// occurrence next, so text formed by a replacement together with what stands before it is
// replaced as well: replacing "ab" by "b" in "aab" gives "b". When Find occurs in Replace,
// every occurrence of Find is first turned into the placeholder and the placeholders are then
// turned into Replace, so the replacement text is never searched again ("a" -> "aa" in "xax"
// gives "xaax"). Returns S when S or Find is empty.
//
// Replacing step by step need not end: with Find "ba" and Replace "aabb", every replacement
// in "bbbabab" forms a new occurrence, and the text grows without end. So replacing stops,
// with the working copy returned as it stands, before a replacement that would make it
// longer than |S| * (|Replace| + 1) bytes, or after |S| * (|S| + 1) replacements (which
// only a Replace as long as Find can reach). Neither limit is reached when Find is a single
// byte or Replace is shorter than Find, nor by the placeholder route unless S or Replace
// holds control bytes; the limits apply to each of its two stages on its own.
//
// The cost is linear in |S| plus |Replace| per replacement made, so linear whenever Replace
// is shorter than Find or no occurrence can take in replacement text.
//
// When Find is part of the placeholder (or the placeholder is part of Replace) and Find
// occurs in Replace, the two-stage route would never end; such calls get a single
// left-to-right pass that replaces non-overlapping occurrences instead.
std::string STRUTIL_Replace_All(std::string S, std::string Find, std::string Replace);

// Counts occurrences of Find by deleting the leftmost one until none is left, so occurrences
// formed by a deletion count too: "STOP" occurs twice in "STSTOPOP". 0 when S or Find is
// empty. Linear in |S|.
int STRUTIL_Count_Occurrences(std::string S, std::string Find);

// Appends Fill until S is Width bytes long. Empty when Fill is byte 0 or Width is 0; S is
// returned unchanged when it is already Width long or longer, or when Width is negative.
std::string STRUTIL_Pad_Right(std::string S, char Fill, int Width);

// Pads S to Width with max(0, d div 2 - 1) Fill bytes on the left and the rest of d on the
// right, where d = Width - |S|; a string longer than Width is returned whole. Empty when Fill
// is byte 0 or Width is 0.
std::string STRUTIL_Pad_Centre(std::string S, char Fill, int Width);
