#include "shell/outer_bounds.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "shell/window_bounds.h"

namespace {

bool positions_are_ours() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Window_Rect plain(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

Outer_Bounds::Outer_Bounds(QWidget& window) : window_(window) { window_.installEventFilter(this); }

QRect Outer_Bounds::wanted() const { return wanted_ ? *wanted_ : normal(); }

void Outer_Bounds::set_wanted(const QRect& outer) { wanted_ = outer; }

QMargins Outer_Bounds::frame() const {
  const QWindow* handle = window_.windowHandle();
  return handle ? handle->frameMargins() : QMargins();
}

bool Outer_Bounds::shown_normal() const {
  const QWindow* handle = window_.windowHandle();
  return handle && handle->isExposed() &&
         !(window_.windowState() &
           (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

void Outer_Bounds::place() {
  Window_Rect outer_plain = plain(wanted());
  const QScreen* landing = window_.screen();
  if (positions_are_ours()) {
    const QList<QScreen*> all = QGuiApplication::screens();
    std::vector<Window_Rect> screens;
    for (const QScreen* screen : all) screens.push_back(plain(screen->geometry()));
    if (const QScreen* primary = QGuiApplication::primaryScreen())
      outer_plain = keep_on_some_screen(outer_plain, screens, plain(primary->availableGeometry()));
    const int holder = screen_holding_most_of(outer_plain, screens);
    if (holder >= 0) landing = all[holder];
  }
  // Larger than the screen it lands on (a window dragged larger, a smaller
  // screen since): brought within it, or its bottom and its frame's buttons
  // would be out of reach.
  if (landing)
    outer_plain = fit_to_available_area(outer_plain, plain(landing->availableGeometry()));
  const QRect outer(outer_plain.left, outer_plain.top, outer_plain.width, outer_plain.height);
  wanted_.reset();
  placed_ = outer;
  // Once fitted, the normal frame is known, also while the window system
  // still reports the frame of a maximised window being restored.
  placed_with_ = fitted_ ? normal_frame_ : frame();
  const QSize inner = outer.marginsRemoved(placed_with_).size().expandedTo(QSize(1, 1));
  window_.resize(inner);
  window_.move(outer.topLeft());
  // Placed by its frame's corner, the window lands right whatever frame the
  // window system has last reported.
  QWindow* handle = window_.windowHandle();
  if (handle && (placed_with_.isNull() || fitted_)) handle->setFramePosition(outer.topLeft());
  if (!watching_window_ && handle) {
    handle->installEventFilter(this);
    watching_window_ = true;
  }
  unfitted_.reset();
  shown_since_placed_ = false;
  if (fitted_) return;
  unfitted_ = outer;
  if (shown_normal()) on_shown_normal();
}

void Outer_Bounds::maximise() {
  if (unfitted_ && placed_with_.isNull() && !shown_normal()) {
    maximise_when_shown_ = true;
  } else {
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
  }
}

void Outer_Bounds::on_shown_normal() {
  shown_since_placed_ = true;
  fit_to_frame();
  // A maximising put off until the first showing waits no longer, frame or
  // not: without a window manager none ever comes.
  if (maximise_when_shown_) {
    maximise_when_shown_ = false;
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
  }
}

void Outer_Bounds::fit_to_frame() {
  if (!unfitted_) return;
  const QMargins now = frame();
  // Some window managers publish the frame only after the first showing; the
  // fit waits until the frame is known.
  if (now.isNull()) return;
  normal_frame_ = now;
  fitted_ = true;
  const QRect outer = *unfitted_;
  unfitted_.reset();
  if (now != placed_with_) {
    placed_with_ = now;
    window_.resize(outer.marginsRemoved(now).size().expandedTo(QSize(1, 1)));
    window_.move(outer.topLeft());
  }
}

bool Outer_Bounds::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Expose:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
      if (shown_normal()) on_shown_normal();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

QRect Outer_Bounds::normal() const {
  QRect outer;
  if (!(window_.windowState() &
        (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
    outer = window_.frameGeometry();
  } else if (unfitted_ && !shown_since_placed_) {
    outer = *unfitted_;  // never shown normal since placed: still as asked
  } else {
    outer = window_.normalGeometry().marginsAdded(normal_frame_);
  }
  if (!positions_are_ours() && placed_) outer.moveTopLeft(placed_->topLeft());
  return outer;
}
