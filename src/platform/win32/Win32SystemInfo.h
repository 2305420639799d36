#pragma once
#include "platform/services/SystemInfo.h"

namespace zorvanel::win32 {

// The platform id as GetVersionExA reports it, the running executable's
// path, and GetSystemMetrics' safe-mode flag.
class Win32SystemInfo : public platform::SystemInfo {
 public:
  int PlatformId() override;
  std::string ProgramPath() override;
  bool SafeMode() override;
};

}  // namespace zorvanel::win32
