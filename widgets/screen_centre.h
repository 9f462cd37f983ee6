#pragma once
// Places a dialog in the centre of the screen it belongs to.

#include <QWidget>

// Moves `window` to the centre of its parent's screen (the primary screen when
// it has no parent). An explicit move also keeps a dialog from centring itself
// over its parent when shown.
void move_to_screen_centre(QWidget& window);
