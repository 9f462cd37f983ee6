// The Morse code table: for every byte value 1..255 its Morse code (if any) and a short
// description, rebuilt from scratch for the chosen alphabet.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct TMorse_Code_Record {
  unsigned char Character;  // the letter for A..Z in the Latin alphabets, else byte 0
  std::string Morse_Code;   // "." and "-"; " " for space and TAB; empty: no code
  std::string Information;  // phonetic word or name of the character; may be empty
};

// Entries 1..255, keyed by byte value; index 0 is not an entry.
//
// lowest_code_for() answers from an index that is built on first use. Every call of the
// non-const operator[] marks that index stale (the caller may write through the reference),
// and the next lookup rebuilds it. A reference obtained from the non-const operator[] must
// therefore not be written through after a later lookup has rebuilt the index; take a fresh
// reference instead. Readers that only read should use a const table (std::as_const) so
// that their reads keep the index. Not safe for concurrent use.
class TMorse_Code_Table {
 public:
  static constexpr int kFirst = 1;
  static constexpr int kLast = 255;

  TMorse_Code_Table();
  // A copy has its own look-up structures (they point into the entries).
  TMorse_Code_Table(const TMorse_Code_Table& other) : entries_(other.entries_) {}
  TMorse_Code_Table& operator=(const TMorse_Code_Table& other) {
    entries_ = other.entries_;
    index_stale_ = true;
    return *this;
  }

  // Throws std::out_of_range for an index outside 1..255.
  const TMorse_Code_Record& operator[](int c) const;
  TMorse_Code_Record& operator[](int c);

  // The lowest index whose Morse_Code equals morse byte for byte; 0 when no entry has it
  // and for the empty string. A code of "." and "-" of up to kDirect_Max_Length symbols is
  // answered from a direct index; any other text is searched for.
  int lowest_code_for(std::string_view morse) const;

  // For every byte, the code that text-to-Morse conversion writes for it (a to z take the
  // codes of A to Z); empty for byte 0 and for bytes without a code. Valid until the table
  // is next written through the non-const operator[].
  const std::array<std::string_view, 256>& text_codes() const;

  // The same codes as text_codes(), each followed by the space that separates it, in a slot
  // that can be copied whole: size counts the code and its space (0 for no code), and only
  // the first min(size, 16) bytes of bytes are meaningful. A slot of size above 16 holds a
  // code too long to fit, which the caller takes from text_codes().
  struct Text_Slot {
    char bytes[16];
    std::uint32_t size;
  };
  const std::array<Text_Slot, 256>& text_slots() const {
    if (index_stale_) rebuild_index();
    return text_slots_;
  }

  static constexpr int kDirect_Max_Length = 12;

  // lowest_code_for() of a code of 1 to kDirect_Max_Length symbols, given as its direct key
  // (1 followed by one bit per symbol, "." 0 and "-" 1), for callers that pack the key while
  // they scan.
  int lowest_code_for_key(std::size_t key) const {
    if (index_stale_) rebuild_index();
    return direct_[key];
  }

 private:
  struct Code_Index_Entry {
    std::string code;
    int index;
  };
  void rebuild_index() const;

  std::array<TMorse_Code_Record, kLast + 1> entries_;
  mutable std::vector<Code_Index_Entry> index_;  // sorted by code, one entry per code
  // A code of n symbols as the integer 1 followed by one bit per symbol ("." 0, "-" 1):
  // the lowest entry with that code, 0 for none.
  mutable std::vector<unsigned char> direct_;
  mutable std::array<std::string_view, 256> text_codes_{};
  mutable std::array<Text_Slot, 256> text_slots_{};
  mutable bool index_stale_ = true;
};

// The alphabets, in the order the window offers them.
enum Morse_Alphabet : int {
  kAlphabet_English = 0,
  kAlphabet_European = 1,
  kAlphabet_Norwegian = 2,
  kAlphabet_Russian = 3,
};

// Clears every entry and builds the table for alphabet_index (any value other than 1, 2 or 3
// builds English). For the Russian alphabet, russian_note (if set) is called once per build
// when only the digits are in the table, before the Cyrillic letters are added.
void Build_Morse_Code_Table(TMorse_Code_Table& table, int alphabet_index,
                            const std::function<void()>& russian_note = {});
