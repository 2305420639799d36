#pragma once

namespace zorvanel::qt {

// Without $XDG_RUNTIME_DIR (root in a container, a shell without a login
// session, a build) Qt warns that it picks a folder of its own. Our programs
// need no such folder (the store's lock has its own fallback), so the
// warning would only alarm the user. Call before the QApplication is made:
// every other message passes on to the handler that was there.
void DropRuntimeFolderWarning();

}  // namespace zorvanel::qt
