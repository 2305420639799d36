#include "desktop/OpenEntries.h"

#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>

#include "platform/hive/Installation.h"
#include "platform/hive/MountInfo.h"

namespace zorvanel::desktop {

namespace {

// The installations on the mounted file systems first, then "Other folder..."
// for the folder chooser (straight away when none was found). The chosen
// Windows folder, or nothing.
QString ChooseInstallation(QWidget& window) {
  const QString title = QStringLiteral("Open Windows installation");
  const auto found = hive::FindMountedInstallations(hive::ReadMountInfo());
  QStringList items;
  for (const auto& installation : found) items << QString::fromStdString(hive::Describe(installation));
  if (!items.isEmpty()) {
    items << QString::fromUtf8(kOtherFolderItem);
    bool chosen = false;
    const QString item = QInputDialog::getItem(&window, title,
                                               QStringLiteral("Windows installations on the mounted file systems:"),
                                               items, 0, false, &chosen);
    if (!chosen) return {};
    const auto at = items.indexOf(item);
    if (at >= 0 && static_cast<std::size_t>(at) < found.size()) {
      return QString::fromStdString(found[static_cast<std::size_t>(at)].windowsFolder);
    }
  }
  return QFileDialog::getExistingDirectory(&window, title, QString(), QFileDialog::ShowDirsOnly);
}

}  // namespace

void AddOpenEntries(qt::FormWindow& window, Reopen reopen) {
  QAction* exit = window.Action("mnuExit");
  auto* menu = exit ? qobject_cast<QMenu*>(exit->parent()) : nullptr;
  if (!menu) return;
  auto* openWindows = new QAction(QString::fromUtf8(kOpenWindowsEntry), menu);
  QObject::connect(openWindows, &QAction::triggered, &window, [&window, reopen] {
    const QString folder = ChooseInstallation(window);
    if (!folder.isEmpty()) reopen({"--windows", folder.toStdString()});
  });
  auto* openStore = new QAction(QString::fromUtf8(kOpenStoreEntry), menu);
  QObject::connect(openStore, &QAction::triggered, &window, [&window, reopen] {
    const QString file = QFileDialog::getOpenFileName(
        &window, QStringLiteral("Open registry file"), QString(),
        QStringLiteral("Registry files (*.reg);;All files (*)"));
    if (!file.isEmpty()) reopen({"--store", file.toStdString()});
  });
  menu->insertAction(exit, openWindows);
  menu->insertAction(exit, openStore);
  menu->insertSeparator(exit);
}

}  // namespace zorvanel::desktop
