// zorvanel-icons: writes the program's icon as PNG files for the desktop's
// icon theme, FOLDER/NxN/apps/zorvanel.png for each size N, drawn by the
// same code as the window's icon. Run by the build.

#include <QDir>
#include <QGuiApplication>
#include <iostream>

#include "platform/qt/ProgramIcon.h"
#include "platform/qt/RuntimeFolderWarning.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: zorvanel-icons FOLDER SIZE...\n";
    return 2;
  }
  zorvanel::qt::DropRuntimeFolderWarning();  // a build step: no noise
  QGuiApplication app(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (int i = 2; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    const QString apps = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = folder.filePath(apps + QStringLiteral("/zorvanel.png"));
    if (size <= 0 || !folder.mkpath(apps) ||
        !zorvanel::qt::ProgramPixmap(size).save(file, "PNG")) {
      std::cerr << "zorvanel-icons: cannot write " << file.toStdString() << '\n';
      return 1;
    }
  }
  return 0;
}
