#include "widgets/fixed_size_windows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace {

constexpr Qt::WindowStates kCompositor_Sized = Qt::WindowMaximized | Qt::WindowFullScreen;
const char kFixed_Size[] = "tapwrenz_fixed_size";
const char kWatched[] = "tapwrenz_state_watched";

// Frees the upper bound of a window shown at one fixed size. A message box
// fixes its size again in its own show handler, after the filter below has
// seen the event, so this runs once that is done.
void free_upper_bound(QWidget* window) {
  if (window->minimumSize() != window->maximumSize()) return;
  window->setProperty(kFixed_Size, window->size());
  window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// The compositor has configured the new state and the window has taken its
// size; asking for the normal state brings the fixed size back with it.
void return_to_normal(QWidget* window, QWindow* handle) {
  if (window->property(kFixed_Size).isValid() && (handle->windowStates() & kCompositor_Sized))
    handle->setWindowStates(handle->windowStates() & ~kCompositor_Sized);
}

// Qt's own title bar has asked the compositor to minimise a dialog. The
// protocol has no way to ask for it back, and a modal dialog out of sight
// leaves the main window blocked behind it; a new surface for the same
// dialog shows it again, its state and its modal loop untouched.
void show_again(QWidget* dialog) {
  if (dialog->windowType() != Qt::Dialog || !dialog->isVisible()) return;
  dialog->setParent(dialog->parentWidget(), dialog->windowFlags());
  dialog->show();
}

// States that Qt's title bar sets are known to the window's handle only, not
// to the widget, and a minimised state lasts only until the compositor's
// next word, so each change is caught as it is made and undone once it is
// over.
void watch_states(QWidget* window) {
  QWindow* handle = window->windowHandle();
  if (!handle || handle->property(kWatched).isValid()) return;
  handle->setProperty(kWatched, true);
  QObject::connect(handle, &QWindow::windowStateChanged, window,
                   [window, handle](Qt::WindowState state) {
                     const auto undo = state == Qt::WindowMinimized
                                           ? std::function<void()>([window] { show_again(window); })
                                           : [window, handle] { return_to_normal(window, handle); };
                     QMetaObject::invokeMethod(window, undo, Qt::QueuedConnection);
                   });
}

class Fixed_Size_Keeper final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow()) return false;
    QMetaObject::invokeMethod(
        window,
        [window] {
          free_upper_bound(window);
          watch_states(window);
        },
        Qt::QueuedConnection);
    return false;
  }
};

}  // namespace

void keep_fixed_size_windows_whole(QApplication& app, bool wayland) {
  if (wayland) app.installEventFilter(new Fixed_Size_Keeper(&app));
}

void keep_fixed_size_windows_whole(QApplication& app) {
  keep_fixed_size_windows_whole(
      app, QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
}
