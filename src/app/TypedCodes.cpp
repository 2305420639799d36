#include "app/TypedCodes.h"

#include "app/frmMainframe.h"

namespace zorvanel::app {

void tbsMain_KeyPress(frmMainframe& /*window*/, int /*keyAscii*/) {}

}  // namespace zorvanel::app
