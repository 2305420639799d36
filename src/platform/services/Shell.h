#pragma once
#include <cstdint>
#include <string_view>

namespace zorvanel::platform {

inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;

// Hands a document, link or program to the system's shell. Nothing is
// reported when it cannot be opened.
class ShellApi {
 public:
  virtual ~ShellApi() = default;
  virtual void ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                            std::string_view parameters, std::string_view directory,
                            int showCommand) = 0;
};

}  // namespace zorvanel::platform
