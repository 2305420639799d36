#include "platform/win32/AdvapiRegistry.h"

#include <vector>

#include "platform/win32/NativeKey.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

using registry::KeyHandle;

namespace {

bool IsTextType(std::uint32_t type) {
  return type == registry::REG_SZ || type == REG_EXPAND_SZ || type == registry::REG_MULTI_SZ;
}

KeyHandle FromNative(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

}  // namespace

long AdvapiRegistry::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                  KeyHandle* key) {
  HKEY opened = nullptr;
  const LONG code = ::RegOpenKeyExA(ToNative(root), path.c_str(), 0, access, &opened);
  if (code == ERROR_SUCCESS) *key = FromNative(opened);
  return code;
}

long AdvapiRegistry::RegCreateKeyEx(KeyHandle root, const std::string& path,
                                    std::uint32_t access, KeyHandle* key) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  const LONG code = ::RegCreateKeyExA(ToNative(root), path.c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, access, nullptr, &created,
                                      &disposition);
  if (code == ERROR_SUCCESS) *key = FromNative(created);
  return code;
}

long AdvapiRegistry::RegQueryValueEx(KeyHandle key, const std::string& name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  DWORD nativeType = 0;
  DWORD nativeSize = size ? *size : 0;
  const LONG code = ::RegQueryValueExA(ToNative(key), name.c_str(), nullptr,
                                       type ? &nativeType : nullptr, data,
                                       size ? &nativeSize : nullptr);
  if (type && (code == ERROR_SUCCESS || code == ERROR_MORE_DATA)) *type = nativeType;
  if (size) *size = nativeSize;
  return code;
}

// For text types the data is handed over with a NUL after it. Windows NT
// stores a text that comes without a terminator with one added; some
// implementations add it only when the byte after the data happens to be a
// NUL, and would read past the caller's buffer to find out. With the NUL in
// place every registry stores the same thing.
long AdvapiRegistry::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  std::vector<BYTE> bytes(data, data + (data ? size : 0));
  if (IsTextType(type)) bytes.push_back(0);
  return ::RegSetValueExA(ToNative(key), name.c_str(), 0, type, bytes.data(), size);
}

long AdvapiRegistry::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                                  std::uint32_t* nameLength, std::uint32_t* type) {
  DWORD length = *nameLength;
  DWORD nativeType = 0;
  const LONG code = ::RegEnumValueA(ToNative(key), index, name, &length, nullptr,
                                    type ? &nativeType : nullptr, nullptr, nullptr);
  if (code == ERROR_SUCCESS) {
    *nameLength = length;
    if (type) *type = nativeType;
  }
  return code;
}

long AdvapiRegistry::RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                                  std::uint32_t* nameLength) {
  DWORD length = *nameLength;
  const LONG code =
      ::RegEnumKeyExA(ToNative(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
  if (code == ERROR_SUCCESS) *nameLength = length;
  return code;
}

long AdvapiRegistry::RegDeleteKey(KeyHandle root, const std::string& path) {
  return ::RegDeleteKeyA(ToNative(root), path.c_str());
}

long AdvapiRegistry::RegCloseKey(KeyHandle key) { return ::RegCloseKey(ToNative(key)); }

}  // namespace zorvanel::win32
