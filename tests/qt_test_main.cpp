#include <gtest/gtest.h>

#include <QApplication>

// Test discovery runs this binary at build time, often with no display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvo Ri Dizo Rirori"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
