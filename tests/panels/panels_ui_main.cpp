// Dialog tests run on a headless QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
#ifdef _WIN32
  // Under Wine the offscreen platform's font folder has no "Courier New": the
  // metric-compatible family stands in, as the font configuration's alias
  // does on Linux.
  QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
