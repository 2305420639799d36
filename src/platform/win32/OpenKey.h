#pragma once
// A registry key opened by the Windows build's own tools (the live dump, the
// tests' clean-up), closed when it goes out of scope.

#include <string>

#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

class OpenKey {
 public:
  OpenKey(HKEY parent, const std::string& path, REGSAM access) {
    if (::RegOpenKeyExA(parent, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) ::RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace zorvanel::win32
