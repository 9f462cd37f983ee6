#pragma once
// Dialogs kept within the user's reach, whatever the window manager or the
// compositor does to them.
//
// Under Wayland the compositor, not the program, decides a window's state,
// and the title bars that Qt draws itself offer maximise and minimise on every
// window, dialogs of a fixed size included. A maximised window must take
// exactly the size the compositor gives it, or the compositor ends the
// connection, and the program with it. So there a window that keeps one size
// loses its upper bound once shown and is put back to its normal state
// whenever it is maximised or made full screen; a dialog that the title bar
// minimises, which the compositor need never give back, closes as its Escape
// key would close it.
//
// Under X11 some window managers minimise a dialog whatever its hints say,
// and take the main window with it; both come back at once.

#include <QApplication>

// Watches the windows of `app` on the platform it runs on.
void keep_dialogs_in_reach(QApplication& app);
