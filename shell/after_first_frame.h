#pragma once
// Work that a window's first frame does not need waits until the frame is on
// the screen: the jobs run at the turn of the message loop after the
// window's first paint, in the order given. Once the window has painted, a
// new job runs at the next turn.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class After_First_Frame final : public QObject {
 public:
  // `painted` is the widget whose first paint counts: the window's own
  // client area, painted with the rest of the window's first frame.
  explicit After_First_Frame(QWidget* painted);

  void add(std::function<void()> job);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void post();
  void run();

  QPointer<QWidget> painted_;
  std::vector<std::function<void()>> jobs_;
  bool frame_shown_ = false;
  bool posted_ = false;
};
