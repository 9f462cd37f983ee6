#include <QApplication>

#include "shell/main_form.h"
#include "shell/message_box.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  Message_Boxes messages;
  TMainForm1 MainForm1(messages);
  messages.set_owner(&MainForm1);
  MainForm1.show();
  return QApplication::exec();
}
