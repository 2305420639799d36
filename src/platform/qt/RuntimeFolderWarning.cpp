// Drops Qt's warning about a missing $XDG_RUNTIME_DIR, and only that one.

#include "platform/qt/RuntimeFolderWarning.h"

#include <QString>
#include <QtGlobal>

namespace zorvanel::qt {

namespace {

QtMessageHandler passOn = nullptr;

void WithoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  passOn(type, context, message);
}

}  // namespace

void DropRuntimeFolderWarning() { passOn = qInstallMessageHandler(WithoutRuntimeFolderWarning); }

}  // namespace zorvanel::qt
