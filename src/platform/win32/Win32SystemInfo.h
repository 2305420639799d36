#pragma once
#include "platform/services/SystemInfo.h"

namespace zorvanel::win32 {

// The platform id as GetVersionExA reports it.
class Win32SystemInfo : public platform::SystemInfo {
 public:
  int PlatformId() override;
};

}  // namespace zorvanel::win32
