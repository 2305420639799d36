#pragma once
// One control of a native window, with what Windows does not keep for it.

#include <string>
#include <vector>

#include "platform/ui/Layout.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

class Win32Window;

struct Win32Control {
  const ui::ControlSpec* spec = nullptr;
  Win32Window* window = nullptr;
  HWND hwnd = nullptr;  // none for timers and menu entries
  UINT id = 0;          // child id, menu command or timer id
  ui::Color fore;
  ui::Color back;
  bool visible = true;   // timers and menu entries; windows keep their own
  bool enabled = true;   // timers
  int interval = 0;      // timers, in milliseconds
  std::vector<std::string> tooltips;  // tab strips: one per tab; other controls: at most one
  WNDPROC nativeProc = nullptr;       // tab strips: the control's own procedure
};

}  // namespace zorvanel::win32
