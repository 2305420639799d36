#pragma once
// The desktop program's way to another target: two entries in the main
// window's File menu, above Exit. Choosing one and a folder or file hands the
// command line for it to `reopen`; the program then ends and starts again
// on it, so that the lock on the current target is released first.

#include <functional>
#include <string>
#include <vector>

#include "platform/qt/FormWindow.h"

namespace zorvanel::desktop {

inline constexpr const char* kOpenWindowsEntry = "Open Windows installation...";
inline constexpr const char* kOpenStoreEntry = "Open registry file...";
// The last item of the installations found, for the folder chooser.
inline constexpr const char* kOtherFolderItem = "Other folder...";

using Reopen = std::function<void(std::vector<std::string> commandLine)>;

void AddOpenEntries(qt::FormWindow& window, Reopen reopen);

}  // namespace zorvanel::desktop
