#include "widgets/dialogs_in_reach.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

constexpr Qt::WindowStates kCompositor_Sized = Qt::WindowMaximized | Qt::WindowFullScreen;
// Set on a window that keeps one size: its size, once its upper bound is freed.
const char kFixed_Size[] = "tapwrenz_fixed_size";
// Set while a window asked back to its normal state waits for the
// compositor to say that it is.
const char kReturning[] = "tapwrenz_returning";
// Set on a dialog's handle once its states are watched.
const char kWatched[] = "tapwrenz_state_watched";

bool is_fixed(const QWidget* window) { return window->property(kFixed_Size).isValid(); }

bool is_returning(const QWidget* window) { return window->property(kReturning).toBool(); }

Qt::WindowStates handle_states(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle ? handle->windowStates() : Qt::WindowStates();
}

// Frees the upper bound of a window shown at one fixed size. A message box
// fixes its size again in its own handlers of showing and of layout
// requests, after the filter below has seen the event, so this runs once
// they are done.
void free_upper_bound(QWidget* window) {
  if (window->minimumSize() != window->maximumSize()) return;
  window->setProperty(kFixed_Size, window->size());
  window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// The compositor has configured a maximised or full-screen state and the
// window has taken its size: it asks to be normal again. Until the
// compositor agrees, every frame must still have the size it gave.
void return_to_normal(QWidget* window) {
  QWindow* handle = window->windowHandle();
  if (!handle || !(handle->windowStates() & kCompositor_Sized)) return;
  window->setProperty(kReturning, true);
  handle->setWindowStates(handle->windowStates() & ~kCompositor_Sized);
}

// The compositor says the window is normal again: the layout requests held
// back meanwhile are made again, and bring the fixed size back.
void back_to_normal(QWidget* window) {
  window->setProperty(kReturning, false);
  QCoreApplication::postEvent(window, new QEvent(QEvent::LayoutRequest));
}

// Qt's own title bar has asked the compositor to minimise a dialog. The
// protocol has no way to ask for it back, and a modal dialog out of sight
// leaves the main window blocked behind it, so the dialog closes as its
// Escape key would close it (a question takes its Escape answer). A minimised
// state is known to the window's handle only, and only until the
// compositor's next word, so it is caught as it is asked for.
void close_when_minimised(QWidget* window) {
  QWindow* handle = window->windowHandle();
  if (window->windowType() != Qt::Dialog || !handle || handle->property(kWatched).isValid()) return;
  handle->setProperty(kWatched, true);
  QObject::connect(handle, &QWindow::windowStateChanged, window, [window](Qt::WindowState state) {
    if (state == Qt::WindowMinimized)
      QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
  });
}

class Wayland_Keeper final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::LayoutRequest && type != QEvent::WindowStateChange)
      return false;
    if (!watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow()) return false;

    if (type == QEvent::WindowStateChange) {
      // The states the compositor has configured.
      if (!is_fixed(window)) return false;
      if (handle_states(window) & kCompositor_Sized) {
        QMetaObject::invokeMethod(
            window, [window] { return_to_normal(window); }, Qt::QueuedConnection);
      } else if (is_returning(window)) {
        back_to_normal(window);
      }
      return false;
    }
    if (type == QEvent::LayoutRequest) {
      // Only a window already found fixed can have fixed its size again.
      if (!is_fixed(window)) return false;
      if (is_returning(window) || (handle_states(window) & kCompositor_Sized)) return true;
      QMetaObject::invokeMethod(
          window, [window] { free_upper_bound(window); }, Qt::QueuedConnection);
      return false;
    }
    QMetaObject::invokeMethod(
        window,
        [window] {
          free_upper_bound(window);
          close_when_minimised(window);
        },
        Qt::QueuedConnection);
    return false;
  }
};

// A window manager has minimised a dialog, and with it the window it
// belongs to: both are given back their other states.
void bring_back(QWidget* dialog) {
  for (QWidget* window :
       {dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr, dialog}) {
    if (window && window->isMinimized())
      window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  }
  dialog->raise();
  dialog->activateWindow();
}

class X11_Keeper final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::WindowStateChange || !watched->isWidgetType()) return false;
    auto* dialog = static_cast<QWidget*>(watched);
    if (dialog->windowType() == Qt::Dialog && dialog->isVisible() && dialog->isMinimized())
      QMetaObject::invokeMethod(
          dialog, [dialog] { bring_back(dialog); }, Qt::QueuedConnection);
    return false;
  }
};

}  // namespace

void keep_dialogs_in_reach(QApplication& app) {
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith(QLatin1String("wayland"))) {
    app.installEventFilter(new Wayland_Keeper(&app));
  } else if (platform == QLatin1String("xcb")) {
    app.installEventFilter(new X11_Keeper(&app));
  }
}
