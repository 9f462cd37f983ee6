#include "panels/morse_chart.h"

#include "engine/strutil.h"

namespace {

constexpr int kChar_Width = 4;
constexpr int kInformation_Width = 15;
constexpr int kCode_Width = 15;
constexpr int kLong_Width = 35;
constexpr char kColumn_Gap[] = "  ";

std::string row(const std::string& character, const std::string& information,
                const std::string& code, const std::string& long_form) {
  return STRUTIL_Pad_Centre(character, ' ', kChar_Width) + kColumn_Gap +
         STRUTIL_Pad_Centre(information, ' ', kInformation_Width) + kColumn_Gap +
         STRUTIL_Pad_Centre(code, ' ', kCode_Width) + kColumn_Gap +
         STRUTIL_Pad_Centre(long_form, ' ', kLong_Width);
}

std::string rule() {
  return std::string(kChar_Width, '-') + kColumn_Gap + std::string(kInformation_Width, '-') +
         kColumn_Gap + std::string(kCode_Width, '-') + kColumn_Gap + std::string(kLong_Width, '-');
}

std::string spelled_out(const std::string& code) {
  return STRUTIL_Replace_All(STRUTIL_Replace_All(code, ".", "Dot "), "-", "Dash ");
}

// Tab and space have a code of their own (a gap), which is no symbol to chart.
bool charted(int c, const TMorse_Code_Record& entry) {
  return c != '\t' && c != ' ' && !entry.Morse_Code.empty();
}

std::vector<std::string> entry_rows(const TMorse_Code_Table& table) {
  std::vector<std::string> rows;
  for (int c = TMorse_Code_Table::kFirst; c <= TMorse_Code_Table::kLast; ++c) {
    const TMorse_Code_Record& entry = table[c];
    if (!charted(c, entry)) continue;
    rows.push_back(row(std::string(1, static_cast<char>(c)), entry.Information, entry.Morse_Code,
                       spelled_out(entry.Morse_Code)));
  }
  return rows;
}

std::string heading() { return row("Char", "Information", "Morse Code", "Morse Code (Long)"); }

}  // namespace

std::vector<std::string> morse_chart_lines(const TMorse_Code_Table& table,
                                           const std::string& alphabet_name) {
  std::vector<std::string> lines{alphabet_name, "", heading(), rule(), ""};
  for (std::string& r : entry_rows(table)) lines.push_back(std::move(r));
  return lines;
}

std::string morse_chart_caption(const std::string& alphabet_name) {
  return "Morse Code Chart - " + alphabet_name + " : ";
}

void Show_Codes(const TMorse_Code_Table& table, const std::string& alphabet_name,
                Report_Window& report) {
  const std::vector<std::string> lines = morse_chart_lines(table, alphabet_name);
  // The caption is set once the name and its empty line are in.
  constexpr std::size_t kCaption_After = 2;
  report.clear_report();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == kCaption_After) report.set_report_caption(morse_chart_caption(alphabet_name));
    report.append_report_line(lines[i]);
  }
  report.show_report();
}
