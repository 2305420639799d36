#pragma once

namespace zorvanel::platform {

// The platform ids the operating-system query reports.
inline constexpr int kPlatformWin32Windows = 1;
inline constexpr int kPlatformWin32Nt = 2;

// The operating-system query. Only the platform id is used; a failed query
// reads as 0.
class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual int PlatformId() = 0;
};

}  // namespace zorvanel::platform
