// zorvanel-screenshots: pictures of the main window's three pages, the
// About box and the monitor-limits window, drawn without a display on Qt's
// offscreen platform and written as PNG files. The program runs on the sample machine, kept in memory.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

#include "app/WindowNames.h"
#include "desktop/DesktopProgram.h"
#include "desktop/DesktopStore.h"
#include "platform/qt/RuntimeFolderWarning.h"
#include "platform/store/RegFile.h"

namespace {

using namespace zorvanel;

constexpr const char* kPages[] = {"1-introduction", "2-system-information", "3-settings"};

bool Save(QWidget& window, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  const bool saved = window.grab().save(path);
  std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << '\n';
  return saved;
}

// A modal window is pictured and closed from inside its own event loop.
// False when opening it opened nothing.
bool SaveModal(qt::QtToolkit& toolkit, const QDir& folder, const char* name,
               const QString& picture, const std::function<void()>& open) {
  bool saved = false;
  bool opened = false;
  QTimer::singleShot(0, [&] {
    if (qt::FormWindow* modal = toolkit.Window(name)) {
      opened = true;
      saved = Save(*modal, folder, picture);
      toolkit.Close(name);
    }
  });
  open();
  if (!opened) std::cout << name << " did not open; no picture of it\n";
  return saved || !opened;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::cerr << "usage: zorvanel-screenshots [FOLDER]\n"
                 "Writes PNG pictures of the program's windows into FOLDER (default: .).\n";
    return 2;
  }
  qt::DropRuntimeFolderWarning();
  QApplication app(argc, argv);
  const QDir folder(QDir::current().absoluteFilePath(argc == 2 ? QString::fromLocal8Bit(argv[1])
                                                                : QStringLiteral(".")));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::cerr << "zorvanel-screenshots: cannot make " << folder.path().toStdString() << '\n';
    return 1;
  }
  store::SubstituteStore sample(store::ParseRegFile(desktop::SampleStore(), "sample-xp.reg"));
  desktop::DesktopProgram program(sample, false,
                                  {.programFolder = QDir::currentPath().toStdString()});
  qt::QtToolkit& toolkit = program.toolkit();
  if (!toolkit.Start(app::kMainframe)) return 1;
  qt::FormWindow& window = *toolkit.Window(app::kMainframe);
  auto* strip = static_cast<QTabBar*>(window.findChild<QTabBar*>());

  bool ok = true;
  for (int page = 0; page < strip->count() && page < 3; ++page) {
    strip->setCurrentIndex(page);
    ok = Save(window, folder, QString::fromLatin1(kPages[page])) && ok;
  }
  strip->setCurrentIndex(0);
  ok = SaveModal(toolkit, folder, app::kAboutBox, QStringLiteral("4-about"),
                 [&] { window.Action("mnuAbout")->trigger(); }) && ok;
  ok = SaveModal(toolkit, folder, app::kMonitorLimits, QStringLiteral("5-monitor-limits"),
                 [&] { static_cast<QPushButton*>(window.Widget("cmdMonitorLimits"))->click(); }) &&
       ok;
  return ok ? 0 : 1;
}
