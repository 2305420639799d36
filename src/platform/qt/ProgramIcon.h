#pragma once
#include <QIcon>
#include <QPixmap>

namespace zorvanel::qt {

// The program's icon: a monitor whose screen shows a fast wave, drawn in
// code so it is sharp at every size.
QPixmap ProgramPixmap(int size);
QIcon ProgramIcon();

}  // namespace zorvanel::qt
