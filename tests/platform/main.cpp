// SPDX-License-Identifier: GPL-3.0-or-later
// One application object for the whole run, made before any widget and gone after the last test.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // No display is needed, also when the test list is read at build time.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
