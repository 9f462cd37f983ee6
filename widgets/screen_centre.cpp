#include "widgets/screen_centre.h"

#include <QGuiApplication>
#include <QScreen>

void move_to_screen_centre(QWidget& window) {
  QWidget* parent = window.parentWidget();
  QScreen* screen = parent ? parent->window()->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // Creating the native window first lets platforms that know their frame
  // before mapping (Windows, offscreen) report it for the first show; an X11
  // window manager reports it only once the window has been mapped, so there
  // the first show centres the client area and later shows the whole frame.
  (void)window.winId();  // creates the native window
  const QSize frame = window.frameGeometry().size();
  window.move(area.topLeft() +
              QPoint((area.width() - frame.width()) / 2, (area.height() - frame.height()) / 2));
}
