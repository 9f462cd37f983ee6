#pragma once
// The production message service: a QMessageBox over the main window.

#include <QPointer>
#include <QWidget>

#include "shell/messages.h"

class Message_Boxes final : public Messages {
 public:
  explicit Message_Boxes(QWidget* owner = nullptr) : owner_(owner) {}
  // The boxes are centred on their owner; the owner may be made after the service.
  void set_owner(QWidget* owner) { owner_ = owner; }
  Message_Answer show(const std::string& text, Message_Icon icon, Message_Buttons buttons) override;

 private:
  QPointer<QWidget> owner_;
};
