#include "shell/message_box.h"

#include <QMessageBox>

Message_Answer Message_Boxes::show(const std::string& text, Message_Icon icon,
                                   Message_Buttons buttons) {
  QMessageBox box(owner_);
  switch (icon) {
    case Message_Icon::Information:
      box.setIcon(QMessageBox::Information);
      box.setWindowTitle(QStringLiteral("Information"));
      break;
    case Message_Icon::Warning:
      box.setIcon(QMessageBox::Warning);
      box.setWindowTitle(QStringLiteral("Warning"));
      break;
    case Message_Icon::Error:
      box.setIcon(QMessageBox::Critical);
      box.setWindowTitle(QStringLiteral("Error"));
      break;
  }
  // Paths and other texts from outside are shown as they are, never as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  if (buttons == Message_Buttons::Yes_No) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Message_Answer::Yes : Message_Answer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return Message_Answer::Ok;
}
