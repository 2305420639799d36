// The Qt tests' main: one QApplication for the whole run, on the offscreen
// platform unless the caller chose another.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/RuntimeFolderWarning.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  zorvanel::qt::DropRuntimeFolderWarning();  // the build lists the tests: no noise there
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // the toolkit under test decides
  return RUN_ALL_TESTS();
}
