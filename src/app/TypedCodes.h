#pragma once
namespace zorvanel::app {
class frmMainframe;
}

namespace zorvanel::app {

// Follows the hidden codes typed on the tab strip; only reads the key.
void tbsMain_KeyPress(frmMainframe& window, int keyAscii);

}  // namespace zorvanel::app
