// zorvanel.exe, the program itself. It takes no command line; its load step
// makes the program's folder the current directory.

#include "app/ProgramWindows.h"
#include "app/Services.h"
#include "app/WindowNames.h"
#include "platform/win32/AdvapiRegistry.h"
#include "platform/win32/Win32Restart.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinmmMusic.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace zorvanel;
  win32::Win32Toolkit toolkit;
  win32::AdvapiRegistry registry;
  win32::Win32SystemInfo system;
  win32::Win32Restart restart;
  win32::Win32Shell shell;
  win32::WinmmMusic music;
  app::Services services{toolkit, registry, system, restart, shell, music};
  app::ProgramWindows windows(services);
  toolkit.Attach(windows);
  toolkit.Run(app::kMainframe);
  return 0;
}
