#pragma once
// Quits an event loop from a low-priority event, so after everything posted
// before it (a window's update request among them): a stand-in for the user
// closing a modal box.

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

class Quit_Request final : public QObject {
 public:
  explicit Quit_Request(QEventLoop& loop) : loop_(loop) {
    QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    loop_.quit();
    return true;
  }

 private:
  QEventLoop& loop_;
};
