// The floor for the start-up figures: a Qt Widgets main window of the
// program's size with nothing in it, shown at once.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("bare window"));
  window.resize(641, 505);
  window.show();
  return QApplication::exec();
}
