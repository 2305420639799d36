#pragma once
// The native controls the layouts' control kinds become, and the two window
// classes of the program's own: frames (group boxes that hold controls, or
// borderless pages) and lines.

#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32Gdi.h"

namespace zorvanel::win32 {

inline constexpr const char* kTopLevelClass = "ZorvanelWindow";

// Registers the program's window classes once per process; windowProc
// handles the top-level windows.
void RegisterWindowClasses(WNDPROC windowProc);

// Makes the control's window inside parent, as its ControlSpec says; nothing for
// timers and menu entries.
void CreateNativeControl(Win32Control& control, HWND parent, Gdi& gdi);

// The program's icon from the resources (the system's default where the
// executable has none, as the test programs do).
HICON ProgramIcon();

}  // namespace zorvanel::win32
