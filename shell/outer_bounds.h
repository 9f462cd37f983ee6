#pragma once
// The main window's outer bounds, frame included, as the settings store them.
//
// A window manager frames a window only after it has been shown, so at the
// first showing the frame is not known yet: the window is then placed by its
// frame's top-left corner with the stored outer size as its inner size, and
// fitted once more, inner size = outer size minus the frame, as soon as the
// window is shown in its normal state with its frame known; some managers
// publish the frame a while after the first showing. Without a window
// manager the frame stays empty and the first placing is already right.

#include <QMargins>
#include <QObject>
#include <QRect>
#include <optional>

class QWidget;

class Outer_Bounds final : public QObject {
 public:
  explicit Outer_Bounds(QWidget& window);

  // The bounds as the window has them, or as they are asked for until the
  // window has taken them; edited one side at a time by the settings.
  QRect wanted() const;
  void set_wanted(const QRect& outer);
  // Places the window at the wanted bounds, brought back onto the primary
  // screen when they are on no screen at all.
  void place();

  // Maximises the window; one placed but not yet framed is maximised only
  // once it has been shown normal, so that restoring it later gives the
  // bounds placed.
  void maximise();

  // Outer bounds of the window in its normal state, also while it is
  // maximised or minimised. Where the window system does not let a window
  // know its position (Wayland), the position is the one last asked for.
  QRect normal() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMargins frame() const;
  bool shown_normal() const;
  void on_shown_normal();
  void fit_to_frame();

  QWidget& window_;
  std::optional<QRect> wanted_;
  // Where the window was last placed; what the stored position stays where
  // the window system keeps positions to itself.
  std::optional<QRect> placed_;
  // Set from placing until the inner size has been fitted to a known frame.
  std::optional<QRect> unfitted_;
  bool shown_since_placed_ = false;
  // The frame the inner geometry was worked out with.
  QMargins placed_with_;
  // The frame of the normal state, taken at the fitting: a maximised
  // window's frame differs, and it changes before the window's state does.
  QMargins normal_frame_;
  bool fitted_ = false;
  bool watching_window_ = false;
  bool maximise_when_shown_ = false;
};
