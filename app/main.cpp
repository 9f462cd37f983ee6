#include <QApplication>
#include <optional>

#include "cli/cli_main.h"
#include "panels/about_box.h"
#include "panels/results_form.h"
#include "shell/main_form.h"
#include "shell/message_box.h"

int main(int argc, char* argv[]) {
  // With options the program is a command-line tool: it decides before any
  // application object exists, so it needs no display.
  if (argc > 1) return command_line_main(argc, argv);

  QApplication app(argc, argv);
  Message_Boxes messages;
  TMainForm1 MainForm1(messages);
  messages.set_owner(&MainForm1);
  // The About and report dialogs come after the main window, as ever, but
  // once its first frame is on the screen: nothing of them shows before.
  std::optional<TAboutBox> AboutBox;
  std::optional<TResults_Form> Results_Form;
  MainForm1.after_first_frame([&] {
    // A dialog already wanted before this turn was made then, by the window.
    if (!MainForm1.about_box_) {
      AboutBox.emplace(MainForm1.memory_meter(), MainForm1.processes(), TAboutBox::Random_Index{},
                       &MainForm1);
      MainForm1.set_about_box(&*AboutBox);
    }
    if (!MainForm1.results_form_) {
      Results_Form.emplace(&MainForm1);
      MainForm1.set_results_form(&*Results_Form);
    }
  });
  MainForm1.show();
  return QApplication::exec();
}
