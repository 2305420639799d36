// zorvanel: the desktop program on Qt, over a substitute registry kept in a
// .reg file, or over a Windows installation's registry hives.

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/MainframeLayout.h"
#include "app/WindowNames.h"
#include "desktop/CommandLine.h"
#include "desktop/DesktopProgram.h"
#include "app/ProgramEnd.h"
#include "desktop/DesktopTarget.h"
#include "desktop/OpenEntries.h"
#include "desktop/ProgramFiles.h"
#include "platform/hive/Installation.h"
#include "platform/hive/MountInfo.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/RuntimeFolderWarning.h"

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

// Runs the program on its target until it ends. Returns the exit status, and
// in `next` the command line to start again with when the user opened
// another target from the File menu.
int Run(int& argc, char** argv, const desktop::CommandLine& options,
        const desktop::ProgramFiles& files, std::vector<std::string>& next) {
  std::unique_ptr<desktop::DesktopTarget> target;
  try {
    target = desktop::DesktopTarget::Open(options, ReportStore);
  } catch (const std::exception& error) {
    return StoreFailure(argc, argv, error.what());
  }

  QApplication app(argc, argv);
  QApplication::setWindowIcon(qt::ProgramIcon());
  // The toolkit decides when the program ends: when its last window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  for (const auto& warning : target->Warnings()) {
    std::cerr << "zorvanel: " << warning << '\n';
    if (CanShowMessageBox()) {
      QMessageBox::warning(nullptr, QString::fromUtf8(app::kMainframeCaption),
                           QString::fromStdString(warning));
    }
  }
  desktop::DesktopProgram program(target->Registry(), target->Offline(),
                                  {.programFolder = files.dataFolder}, files);
  qt::QtToolkit& toolkit = program.toolkit();
  if (!toolkit.Start(options.confirm ? app::kConfirm : app::kMainframe)) {
    return 0;  // ended while loading
  }
  if (options.confirm) return QApplication::exec();
  qt::FormWindow& window = *toolkit.Window(app::kMainframe);
  window.setWindowTitle(QString::fromStdString(target->Title()));
  desktop::AddOpenEntries(window, [&](std::vector<std::string> commandLine) {
    next = std::move(commandLine);
    app::EndProgram(toolkit);
  });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  qt::DropRuntimeFolderWarning();
  auto options = desktop::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
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

  if (options.windows && options.windows->empty()) {
    std::string why;
    const auto only = hive::OnlyInstallation(hive::FindMountedInstallations(hive::ReadMountInfo()), &why);
    if (!only) {
      std::cerr << "zorvanel: " << why << '\n';
      return 2;
    }
    options.windows = *only;
  }
  std::vector<std::string> next;
  const int status = Run(argc, argv, options, files, next);
  if (next.empty()) return status;
  // Everything of the old target is closed and unlocked by now.
  std::vector<char*> again{argv[0]};
  for (auto& arg : next) again.push_back(arg.data());
  again.push_back(nullptr);
  ::execv("/proc/self/exe", again.data());
  std::cerr << "zorvanel: cannot start again: " << std::strerror(errno) << '\n';
  return 1;
}
