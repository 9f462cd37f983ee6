#pragma once
// Windows of one fixed size under a Wayland compositor.
//
// There the compositor, not the program, decides a window's state, and the
// title bars that Qt draws itself offer maximise on every window, dialogs of a
// fixed size included. A maximised window must take exactly the size the
// compositor gives it, or the compositor ends the connection, and the program
// with it. So under Wayland a window that keeps one size loses its upper
// bound once shown, and is put back to its normal state whenever it is
// maximised or made full screen; a dialog that the title bar minimises,
// which the compositor need never give back, closes instead. Elsewhere
// nothing changes.

#include <QApplication>

// Watches every window of `app` when it runs under Wayland.
void keep_fixed_size_windows_whole(QApplication& app);
