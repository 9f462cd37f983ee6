#include "engine/morse_table.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

TMorse_Code_Table::TMorse_Code_Table() : entries_{} {}

namespace {

// The direct index's key of a code, or 0 when the code is empty, longer than the
// index covers, or holds anything but "." and "-".
std::size_t direct_key(std::string_view code) {
  if (code.empty() || code.size() > TMorse_Code_Table::kDirect_Max_Length) return 0;
  std::size_t key = 1;
  for (const char symbol : code) {
    if (symbol != '.' && symbol != '-') return 0;
    key = key << 1 | (symbol == '-' ? 1 : 0);
  }
  return key;
}

std::size_t checked_index(int c) {
  if (c < TMorse_Code_Table::kFirst || c > TMorse_Code_Table::kLast) {
    throw std::out_of_range("Morse code table has no entry " + std::to_string(c));
  }
  return static_cast<std::size_t>(c);
}

}  // namespace

const TMorse_Code_Record& TMorse_Code_Table::operator[](int c) const {
  return entries_[checked_index(c)];
}

TMorse_Code_Record& TMorse_Code_Table::operator[](int c) {
  TMorse_Code_Record& entry = entries_[checked_index(c)];
  index_stale_ = true;
  return entry;
}

void TMorse_Code_Table::rebuild_index() const {
  index_.clear();
  for (int c = kFirst; c <= kLast; ++c) {
    const std::string& code = entries_[static_cast<std::size_t>(c)].Morse_Code;
    if (!code.empty()) index_.push_back({code, c});
  }
  // Stable, so of several entries with the same code the lowest index comes first.
  std::stable_sort(
      index_.begin(), index_.end(),
      [](const Code_Index_Entry& a, const Code_Index_Entry& b) { return a.code < b.code; });
  index_.erase(std::unique(index_.begin(), index_.end(),
                           [](const Code_Index_Entry& a, const Code_Index_Entry& b) {
                             return a.code == b.code;
                           }),
               index_.end());

  direct_.assign(std::size_t{2} << kDirect_Max_Length, 0);
  for (int c = kLast; c >= kFirst; --c) {  // downwards, so the lowest entry stays
    const std::size_t key = direct_key(entries_[static_cast<std::size_t>(c)].Morse_Code);
    if (key != 0) direct_[key] = static_cast<unsigned char>(c);
  }

  for (int byte = 0; byte < 256; ++byte) {
    const int c = byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
    text_codes_[static_cast<std::size_t>(byte)] =
        c == 0 ? std::string_view()
               : std::string_view(entries_[static_cast<std::size_t>(c)].Morse_Code);
    const std::string_view code = text_codes_[static_cast<std::size_t>(byte)];
    Text_Slot& slot = text_slots_[static_cast<std::size_t>(byte)];
    std::fill(std::begin(slot.bytes), std::end(slot.bytes), ' ');
    slot.size = code.empty() ? 0 : static_cast<std::uint32_t>(code.size() + 1);
    if (slot.size <= sizeof slot.bytes) std::copy(code.begin(), code.end(), slot.bytes);
  }
  index_stale_ = false;
}

const std::array<std::string_view, 256>& TMorse_Code_Table::text_codes() const {
  if (index_stale_) rebuild_index();
  return text_codes_;
}

int TMorse_Code_Table::lowest_code_for(std::string_view morse) const {
  if (morse.empty()) return 0;
  if (index_stale_) rebuild_index();
  if (const std::size_t key = direct_key(morse); key != 0) return direct_[key];
  const auto it = std::lower_bound(index_.begin(), index_.end(), morse,
                                   [](const Code_Index_Entry& e, std::string_view key) {
                                     return std::string_view(e.code) < key;
                                   });
  return it != index_.end() && it->code == morse ? it->index : 0;
}

namespace {

struct Code_Row {
  int c;
  const char* code;
  const char* information;
};

constexpr Code_Row kDigits[] = {
    {'1', ".----", ""}, {'2', "..---", ""}, {'3', "...--", ""}, {'4', "....-", ""},
    {'5', ".....", ""}, {'6', "-....", ""}, {'7', "--...", ""}, {'8', "---..", ""},
    {'9', "----.", ""}, {'0', "-----", ""},
};

constexpr Code_Row kLatin_Letters[] = {
    {'A', ".-", "Alfa"},     {'B', "-...", "Bravo"},  {'C', "-.-.", "Charlie"},
    {'D', "-..", "Delta"},   {'E', ".", "Echo"},      {'F', "..-.", "Foxtrot"},
    {'G', "--.", "Golf"},    {'H', "....", "Hotel"},  {'I', "..", "India"},
    {'J', ".---", "Juliet"}, {'K', "-.-", "Kilo"},    {'L', ".-..", "Lima"},
    {'M', "--", "Mike"},     {'N', "-.", "November"}, {'O', "---", "Oscar"},
    {'P', ".--.", "Papa"},   {'Q', "--.-", "Quebec"}, {'R', ".-.", "Romeo"},
    {'S', "...", "Sierra"},  {'T', "-", "Tango"},     {'U', "..-", "Uniform"},
    {'V', "...-", "Victor"}, {'W', ".--", "Whisky"},  {'X', "-..-", "X-ray"},
    {'Y', "-.--", "Yankee"}, {'Z', "--..", "Zulu"},
};

constexpr Code_Row kLatin_Punctuation[] = {
    {'?', "..--..", "Question Mark"}, {'.', ".-.-.-", "Full Stop"}, {',', "--..--", "Comma"},
    {':', "---...", "Colon"},         {'\'', ".----.", "Quote"},    {'-', "-....-", "Hyphen"},
    {'/', "-..-.", "Slash"},          {'|', "-.--.-", "Bracket"},   {'!', ".-..-.", "Exclamation"},
};

// Windows-1252 accented letters.
constexpr Code_Row kAccented_Common[] = {
    {201, "..-..", ""},  // E acute
    {209, "--.--", ""},  // N tilde
    {220, "..--", ""},   // U diaeresis
};
constexpr Code_Row kAccented_European[] = {
    {196, ".-.-", ""},   // A diaeresis
    {193, ".--.-", ""},  // A acute
    {214, "---.", ""},   // O diaeresis
};
constexpr Code_Row kAccented_Norwegian[] = {
    {198, ".-.-", ""},   // AE
    {197, ".--.-", ""},  // A ring
    {216, "---.", ""},   // O stroke
};

// Windows-1251 Cyrillic capitals, then the three punctuation marks of the Russian table.
constexpr Code_Row kRussian[] = {
    {192, ".-", ""},
    {193, "-...", ""},
    {194, ".--", ""},
    {195, "--.", ""},
    {196, "-..", ""},
    {197, ".", ""},
    {198, "...-", ""},
    {199, "--..", ""},
    {200, "..", ""},
    {201, ".---", ""},
    {202, "-.-", ""},
    {203, ".-..", ""},
    {204, "--", ""},
    {205, "-.", ""},
    {206, "---", ""},
    {207, ".--.", ""},
    {208, ".-.", ""},
    {209, "...", ""},
    {210, "-", ""},
    {211, "..-", ""},
    {212, "..-.", ""},
    {213, "....", ""},
    {214, "-.-.", ""},
    {215, "---.", ""},
    {216, "----", ""},
    {217, "--.-", ""},
    {220, "-..-", ""},
    {219, "-.--", ""},
    {221, "..-..", ""},
    {222, "..--", ""},
    {223, ".-.-", ""},
    {'?', "..--..", "Question Mark"},
    {'.', "......", "Full Stop"},
    {',', "--..--", "Comma"},
};

template <std::size_t N>
void set_codes(TMorse_Code_Table& table, const Code_Row (&rows)[N]) {
  for (const Code_Row& row : rows) table[row.c].Morse_Code = row.code;
}

template <std::size_t N>
void set_information(TMorse_Code_Table& table, const Code_Row (&rows)[N]) {
  for (const Code_Row& row : rows) table[row.c].Information = row.information;
}

void set_special(TMorse_Code_Table& table, int c, std::string code, const char* information) {
  table[c].Morse_Code = std::move(code);
  table[c].Information = information;
}

void Build_Russian_Morse_Codes(TMorse_Code_Table& table,
                               const std::function<void()>& russian_note) {
  if (russian_note) russian_note();
  set_codes(table, kRussian);
  set_information(table, kRussian);
}

}  // namespace

void Build_Morse_Code_Table(TMorse_Code_Table& table, int alphabet_index,
                            const std::function<void()>& russian_note) {
  for (int c = TMorse_Code_Table::kFirst; c <= TMorse_Code_Table::kLast; ++c) {
    table[c] = TMorse_Code_Record{0, std::string(), std::string()};
  }
  set_codes(table, kDigits);
  if (alphabet_index == kAlphabet_Russian) {
    Build_Russian_Morse_Codes(table, russian_note);
    return;
  }
  for (int c = 'A'; c <= 'Z'; ++c) table[c].Character = static_cast<unsigned char>(c);
  set_codes(table, kLatin_Letters);
  set_information(table, kLatin_Letters);
  set_codes(table, kLatin_Punctuation);
  set_information(table, kLatin_Punctuation);
  if (alphabet_index == kAlphabet_European || alphabet_index == kAlphabet_Norwegian) {
    set_codes(table, kAccented_Common);
  }
  if (alphabet_index == kAlphabet_European) set_codes(table, kAccented_European);
  if (alphabet_index == kAlphabet_Norwegian) set_codes(table, kAccented_Norwegian);
  // These codes are read from the letters already in the table.
  const auto code = [&table](char c) { return std::as_const(table)[c].Morse_Code; };
  set_special(table, ' ', " ", "Space");
  set_special(table, '\t', " ", "TAB");
  set_special(table, '\n', code('A') + code('A'), "LF");
  set_special(table, '\r', code('A') + code('A'), "CR");
  set_special(table, 26, code('A') + code('R'), "EoF Message");
  set_special(table, '=', code('B') + code('T'), "Equals");
}
