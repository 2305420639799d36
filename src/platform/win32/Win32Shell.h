#pragma once
#include "platform/services/Shell.h"

namespace zorvanel::win32 {

// Hands links and programs to the Windows shell (ShellExecuteA).
class Win32Shell : public platform::ShellApi {
 public:
  void ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                    std::string_view parameters, std::string_view directory,
                    int showCommand) override;
};

}  // namespace zorvanel::win32
