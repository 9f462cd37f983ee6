// The window comparisons need an application; the command line itself never
// makes one, which the tests of the built program check.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  QTemporaryDir autostart;
  if (qEnvironmentVariableIsEmpty("TAPWRENZ_AUTOSTART_DIR")) {
    qputenv("TAPWRENZ_AUTOSTART_DIR", autostart.path().toUtf8());
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
