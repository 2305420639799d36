#include "desktop/OpenEntries.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>

namespace zorvanel::desktop {

void AddOpenEntries(qt::FormWindow& window, Reopen reopen) {
  QAction* exit = window.Action("mnuExit");
  auto* menu = exit ? qobject_cast<QMenu*>(exit->parent()) : nullptr;
  if (!menu) return;
  auto* openWindows = new QAction(QString::fromUtf8(kOpenWindowsEntry), menu);
  QObject::connect(openWindows, &QAction::triggered, &window, [&window, reopen] {
    const QString folder = QFileDialog::getExistingDirectory(
        &window, QStringLiteral("Open Windows installation"), QString(),
        QFileDialog::ShowDirsOnly);
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
