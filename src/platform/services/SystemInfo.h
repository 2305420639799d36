#pragma once
#include <string>

namespace zorvanel::platform {

// The platform ids the operating-system query reports.
inline constexpr int kPlatformWin32Windows = 1;
inline constexpr int kPlatformWin32Nt = 2;

// The operating-system queries.
class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // Only the platform id is used; a failed query reads as 0.
  virtual int PlatformId() = 0;
  // The full path of the Windows program, for the command that starts it
  // again at the next logon; empty where there is no Windows program to start.
  virtual std::string ProgramPath() = 0;
  // Whether Windows started in safe mode, where the display runs whatever
  // the driver's mode values say.
  virtual bool SafeMode() = 0;
};

}  // namespace zorvanel::platform
