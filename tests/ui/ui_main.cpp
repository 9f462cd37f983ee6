// Widget tests drive the real window on a headless QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  // Run by hand too, the tests must never touch the machine's autostart
  // folder: give them one of their own unless CTest already did.
  QTemporaryDir autostart;
  if (qEnvironmentVariableIsEmpty("TAPWRENZ_AUTOSTART_DIR")) {
    qputenv("TAPWRENZ_AUTOSTART_DIR", autostart.path().toUtf8());
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
