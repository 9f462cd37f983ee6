#include "engine/text_to_morse.h"

#include <cstring>

// One pass to size the output, one to fill it: every byte is one look-up in the table's
// per-byte slots, copied whole (16 bytes) into an output with that much room to spare, so the
// copy is two stores rather than a call.
void append_text_line_to_morse(const TMorse_Code_Table& table, std::string_view line,
                               std::string& out) {
  const std::array<TMorse_Code_Table::Text_Slot, 256>& slots = table.text_slots();
  constexpr std::size_t kSlot = sizeof(TMorse_Code_Table::Text_Slot::bytes);
  std::size_t size = 0;
  for (const char ch : line) size += slots[static_cast<unsigned char>(ch)].size;
  const std::size_t start = out.size();
  out.resize(start + size + kSlot);
  char* at = out.data() + start;
  for (const char ch : line) {
    const TMorse_Code_Table::Text_Slot& slot = slots[static_cast<unsigned char>(ch)];
    if (slot.size <= kSlot) {
      std::memcpy(at, slot.bytes, kSlot);
    } else {
      const std::string_view code = table.text_codes()[static_cast<unsigned char>(ch)];
      std::memcpy(at, code.data(), code.size());
      at[code.size()] = ' ';
    }
    at += slot.size;
  }
  out.resize(start + size);
}

std::string text_line_to_morse(const TMorse_Code_Table& table, std::string line) {
  std::string out;
  append_text_line_to_morse(table, line, out);
  return out;
}
