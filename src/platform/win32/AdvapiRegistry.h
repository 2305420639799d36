#pragma once
// The registry seam on the Windows registry itself (advapi32).

#include "platform/registry/RegistryApi.h"

namespace zorvanel::win32 {

class AdvapiRegistry : public registry::RegistryApi {
 public:
  long RegOpenKeyEx(registry::KeyHandle root, const std::string& path, std::uint32_t access,
                    registry::KeyHandle* key) override;
  long RegCreateKeyEx(registry::KeyHandle root, const std::string& path, std::uint32_t access,
                      registry::KeyHandle* key) override;
  long RegQueryValueEx(registry::KeyHandle key, const std::string& name, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* size) override;
  long RegSetValueEx(registry::KeyHandle key, const std::string& name, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t size) override;
  long RegEnumValue(registry::KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength, std::uint32_t* type) override;
  long RegEnumKeyEx(registry::KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength) override;
  long RegDeleteKey(registry::KeyHandle root, const std::string& path) override;
  long RegDeleteValue(registry::KeyHandle key, const std::string& name) override;
  long RegCloseKey(registry::KeyHandle key) override;
  long RegFlushKey(registry::KeyHandle key) override;
};

}  // namespace zorvanel::win32
