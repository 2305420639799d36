// zorvanel.exe, the program itself. Its load step makes the program's folder
// the current directory. "/confirm", which the logon entry of a write
// passes, starts the check of that write instead of the main window.

#include <cstdlib>
#include <exception>
#include <string_view>

#include "app/ProgramWindows.h"
#include "app/Services.h"
#include "app/WindowNames.h"
#include "platform/win32/AdvapiRegistry.h"
#include "platform/win32/Win32Restart.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinmmMusic.h"

// What std::terminate does by default. libstdc++'s own handler writes the
// uncaught exception's type to standard error, which a GUI program does not
// have, and for that links the whole C++ demangler, a tenth of the program.
// Defined here, it keeps the library's out of the program; the program
// stops with abort() as before.
void __gnu_cxx::__verbose_terminate_handler() { std::abort(); }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
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
  const bool confirm =
      commandLine && std::string_view(commandLine).find("/confirm") != std::string_view::npos;
  toolkit.Run(confirm ? app::kConfirm : app::kMainframe);
  return 0;
}
