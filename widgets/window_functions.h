#pragma once
// What a window manager may do to a window beyond what Qt's flags can say.

#include <QWidget>

// Asks the X11 window manager to offer only moving for `window`: a title bar
// with its caption but no close, minimise or maximise function, in the hints
// that most window managers follow. Qt's own hints cannot say this: a dialog
// with none of the three buttons is given every function. Call it once the
// window exists and before it is mapped (from its show handler); it does
// nothing elsewhere than on X11.
void offer_only_moving(QWidget& window);
