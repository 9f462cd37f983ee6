#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "cli/cli_main.h"
#include "platform/font_families.h"
#ifdef _WIN32
#include "platform/parent_console.h"
#endif
#include "shell/main_form.h"
#include "shell/message_box.h"
#include "widgets/app_style.h"
#include "widgets/design_font.h"
#include "widgets/dialogs_in_reach.h"

namespace {

// With an option the program is a command-line tool. Other arguments, such as
// files handed over by a file manager, open the window, which takes none.
bool wants_command_line(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') return true;
  }
  return false;
}

#ifndef _WIN32
bool is_set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}
#endif

#ifndef _WIN32
// A Wayland session that also serves X clients runs the window through X,
// unless the user names a platform: there the window keeps the place the
// settings give it, and the window manager's title bars offer no maximise
// on a dialog that cannot grow. Without an X server the Wayland platform
// follows.
bool prefers_x11() {
  const char* session = std::getenv("XDG_SESSION_TYPE");
  const bool wayland_session =
      is_set("WAYLAND_DISPLAY") || (session && std::string(session) == "wayland");
  return wayland_session && is_set("DISPLAY") && !is_set("QT_QPA_PLATFORM");
}
#endif

// Where the window cannot be shown (ssh, a text console), one line says so
// in place of the toolkit's text and abort.
int no_display() {
  std::fputs(
      "tapwrenz: there is no display to show the window on; for the command line, see "
      "tapwrenz --help\n",
      stderr);
  return 1;
}

// The toolkit's messages while it connects to the display are held back: a
// display that is set but cannot be reached ends in a fatal message, which
// gives way to the line above. Once connected, the held messages go out as
// they would have.
struct Held_Message {
  QtMsgType type;
  std::string file, function, category;
  int line;
  QString text;
};

std::vector<Held_Message>& held_messages() {
  static std::vector<Held_Message> held;
  return held;
}

// A thread of the toolkit's may speak while the main one connects.
std::mutex& held_messages_lock() {
  static std::mutex lock;
  return lock;
}

void hold_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) std::_Exit(no_display());
  const auto copy = [](const char* s) { return std::string(s ? s : ""); };
  const std::lock_guard<std::mutex> held(held_messages_lock());
  held_messages().push_back({type, copy(context.file), copy(context.function),
                             copy(context.category), context.line, text});
}

void release_held_messages(QtMessageHandler handler) {
  qInstallMessageHandler(handler);
  const std::lock_guard<std::mutex> held(held_messages_lock());
  for (const Held_Message& m : held_messages()) {
    const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(),
                                     m.category.c_str());
    handler(m.type, context, m.text);
  }
  held_messages().clear();
}

}  // namespace

int main(int argc, char* argv[]) {
  // Decided before any application object exists, so that the command line
  // needs no display.
  if (wants_command_line(argc, argv)) {
#ifdef _WIN32
    use_parent_console();
#endif
    return command_line_main(argc, argv);
  }
#ifndef _WIN32
  if (!is_set("DISPLAY") && !is_set("WAYLAND_DISPLAY") && !is_set("QT_QPA_PLATFORM"))
    return no_display();
#endif

  // The font configuration loads on its own thread while the toolkit
  // connects to the display; the window's first font waits for it.
  start_font_family_lookup(design_families());
  std::vector<char*> arguments(argv, argv + argc);
#ifndef _WIN32
  char platform_option[] = "-platform";
  char x11_then_wayland[] = "xcb;wayland";
  if (prefers_x11()) {
    arguments.push_back(platform_option);
    arguments.push_back(x11_then_wayland);
  }
#endif
  arguments.push_back(nullptr);
  int argument_count = static_cast<int>(arguments.size()) - 1;
  const QtMessageHandler usual_handler = qInstallMessageHandler(hold_message);
  QApplication app(argument_count, arguments.data());
  release_held_messages(usual_handler);
  keep_dialogs_in_reach(app);
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
  MainForm1.show();
  return QApplication::exec();
}
