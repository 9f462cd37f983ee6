#pragma once
// The window's fonts are named by families that many systems do not have
// ("Times New Roman", "MS Sans Serif"). For a family it cannot find, the
// toolkit sorts every installed font against it, once per style of each
// family, while the window is built. Asking the system's font configuration
// once per family which installed family stands in for it gives the same
// answer at a fraction of the cost, and can start before the display is
// connected.

#include <string>
#include <vector>

// Starts looking `families` up on a thread of its own, so that the font
// configuration loads while the program connects to the display.
void start_font_family_lookup(std::vector<std::string> families);

// The installed family that stands in for `family`, asked on the thread that
// started the lookup. The first call waits for the lookup; a family that was
// not looked up, or had no answer, is returned as it is, and the toolkit finds
// its stand-in itself.
std::string installed_font_family(const std::string& family);
