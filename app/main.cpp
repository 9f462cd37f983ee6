#include <QApplication>
#include <optional>

#include "cli/cli_main.h"
#include "panels/about_box.h"
#include "panels/results_form.h"
#include "platform/font_families.h"
#include "shell/main_form.h"
#include "shell/message_box.h"
#include "widgets/app_style.h"
#include "widgets/design_font.h"

namespace {

// With an option the program is a command-line tool. Other arguments, such as
// files handed over by a file manager, open the window, which takes none.
bool wants_command_line(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Decided before any application object exists, so that the command line
  // needs no display.
  if (wants_command_line(argc, argv)) return command_line_main(argc, argv);

  // The font configuration loads on its own thread while the toolkit
  // connects to the display; the window's first font waits for it.
  start_font_family_lookup(design_families());
  QApplication app(argc, argv);
  QApplication::setStyle(new App_Style(QApplication::style()));
  // A default family that is only an alias ("Sans Serif") is named by the
  // family it stands for, as the window's own are.
  if (const QFont font = with_installed_family(QApplication::font());
      font != QApplication::font()) {
    QApplication::setFont(font);
  }
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
