#pragma once
// Where the main window goes when its saved bounds would leave it out of
// sight: plain numbers, no window system.

#include <vector>

// Screen pixels; right and bottom are exclusive.
struct Window_Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Window_Rect&) const = default;
};

// Outer bounds that overlap some screen are kept as they are, even when most
// of the window hangs off it: the user can drag it back. Bounds that overlap
// none (a screen that is gone, a smaller desktop) come back to the primary
// screen's work area where a first start puts the window, 10, 10 in from its
// corner, no larger than that area.
Window_Rect keep_on_some_screen(const Window_Rect& outer, const std::vector<Window_Rect>& screens,
                                const Window_Rect& primary_work_area);

// Outer bounds larger than the available area of the screen they land on
// (the screen less its panels), frame included, shrunk to it; only an axis
// that was shrunk is moved, so that the window lies inside the area along it.
// Bounds that fit are kept as they are, also when partly off the screen.
Window_Rect fit_to_available_area(const Window_Rect& outer, const Window_Rect& area);

// The index of the screen that holds the largest part of `outer`; -1 when it
// overlaps none.
int screen_holding_most_of(const Window_Rect& outer, const std::vector<Window_Rect>& screens);
