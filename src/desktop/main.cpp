// zorvanel: the desktop program on Qt, over a substitute registry kept in a
// .reg file.

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/MainframeLayout.h"
#include "app/WindowNames.h"
#include "desktop/CommandLine.h"
#include "desktop/DesktopProgram.h"
#include "desktop/DesktopStore.h"
#include "desktop/ProgramFiles.h"
#include "platform/qt/ProgramIcon.h"

namespace {

using namespace zorvanel;

// A message box needs a screen: not on the offscreen platform, nor without
// a display.
bool CanShowMessageBox() {
  const std::string platform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
  if (platform.starts_with("offscreen") || platform.starts_with("minimal")) return false;
  return !platform.empty() || qEnvironmentVariableIsSet("DISPLAY") ||
         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// A store that cannot be used stops the program before any window: the
// reason goes to the terminal and, where there is a screen, into a box.
int StoreFailure(int& argc, char** argv, const std::string& message) {
  std::cerr << "zorvanel: " << message << '\n';
  if (CanShowMessageBox()) {
    QApplication app(argc, argv);
    QMessageBox::critical(nullptr, QString::fromUtf8(app::kMainframeCaption),
                          QString::fromStdString(message));
  }
  return 1;
}

Q_LOGGING_CATEGORY(storeLog, "zorvanel.store")

// The store's own troubles (opened read-only, a failed write and its
// reason) go to the program's log, which Qt writes to stderr.
void ReportStore(const std::string& message) {
  qCWarning(storeLog).noquote() << QString::fromStdString(message);
}

std::unique_ptr<store::StoreFile> OpenStore(const desktop::CommandLine& options) {
  if (options.store) return store::StoreFile::Open(*options.store, false, ReportStore);
  const auto path = desktop::DefaultStorePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  if (!path) {
    throw store::StoreFileError("There is no home folder to keep the store in; use --store FILE.");
  }
  desktop::CreateStoreIfMissing(*path, desktop::SampleStore());
  return store::StoreFile::Open(*path, false, ReportStore);
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = desktop::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  const desktop::ProgramFiles files = desktop::ThisProgramsFiles();
  switch (options.action) {
    case desktop::CommandLine::Action::Help:
      desktop::PrintHelp(std::cout, files);
      return 0;
    case desktop::CommandLine::Action::Version:
      std::cout << app::kMainframeCaption << '\n';
      return 0;
    case desktop::CommandLine::Action::Error:
      std::cerr << "zorvanel: " << options.error << '\n';
      desktop::PrintUsage(std::cerr);
      return 2;
    case desktop::CommandLine::Action::Run: break;
  }

  std::unique_ptr<store::StoreFile> file;
  try {
    file = OpenStore(options);
  } catch (const store::StoreFileError& error) {
    return StoreFailure(argc, argv, error.what());
  }

  QApplication app(argc, argv);
  QApplication::setWindowIcon(qt::ProgramIcon());
  // The toolkit decides when the program ends: when its last window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  desktop::DesktopProgram program(file->TakeContent(),
                                  [&file](const store::Key& root) { return file->Write(root); },
                                  {.programFolder = files.dataFolder}, files);
  if (!program.toolkit().Start(options.confirm ? app::kConfirm : app::kMainframe)) {
    return 0;  // ended while loading
  }
  return QApplication::exec();
}
