#pragma once
// The chart of every code of the selected alphabet: a plain-text report of
// four centred columns (character, information, code, code spelled out).

#include <string>
#include <vector>

#include "engine/morse_table.h"
#include "panels/report_window.h"

// The chart's lines, in the order they are written: the alphabet's name, an
// empty line, the heading, the rule, an empty line, then one row per coded
// entry from byte 1 to 255 (tab and space left out).
std::vector<std::string> morse_chart_lines(const TMorse_Code_Table& table,
                                           const std::string& alphabet_name);

// "Morse Code Chart - <alphabet_name> : ".
std::string morse_chart_caption(const std::string& alphabet_name);

// Writes the chart into the report dialog and shows it: clear, the name and an
// empty line, the caption, the heading, the rule, an empty line, the rows,
// then show.
void Show_Codes(const TMorse_Code_Table& table, const std::string& alphabet_name,
                Report_Window& report);
