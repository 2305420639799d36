#include "detect/DetectSystem.h"

#include "app/frmMainframe.h"

namespace zorvanel::detect {

void DetectSystem(app::frmMainframe& /*window*/) {}

}  // namespace zorvanel::detect
