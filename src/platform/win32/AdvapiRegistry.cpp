#include "platform/win32/AdvapiRegistry.h"

#include "platform/win32/NativeKey.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

using registry::KeyHandle;

namespace {

KeyHandle FromNative(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

}  // namespace

// The out-parameters go through as they are, null or not, and come back as
// Windows left them, so that the seam shows exactly what Windows does.
long AdvapiRegistry::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                  KeyHandle* key) {
  HKEY opened = key ? reinterpret_cast<HKEY>(*key) : nullptr;
  const LONG code =
      ::RegOpenKeyExA(ToNative(root), path.c_str(), 0, access, key ? &opened : nullptr);
  if (key) *key = FromNative(opened);
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
  DWORD nativeType = type ? *type : 0;
  DWORD nativeSize = size ? *size : 0;
  const LONG code = ::RegQueryValueExA(ToNative(key), name.c_str(), nullptr,
                                       type ? &nativeType : nullptr, data,
                                       size ? &nativeSize : nullptr);
  if (type) *type = nativeType;
  if (size) *size = nativeSize;
  return code;
}

// Windows reads the byte after a text that does not end in a NUL, and stores
// that byte too when it is a NUL; the seam's callers keep it readable.
long AdvapiRegistry::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  return ::RegSetValueExA(ToNative(key), name.c_str(), 0, type, data, size);
}

long AdvapiRegistry::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                                  std::uint32_t* nameLength, std::uint32_t* type) {
  DWORD length = nameLength ? *nameLength : 0;
  DWORD nativeType = type ? *type : 0;
  const LONG code = ::RegEnumValueA(ToNative(key), index, name, nameLength ? &length : nullptr,
                                    nullptr, type ? &nativeType : nullptr, nullptr, nullptr);
  if (nameLength) *nameLength = length;
  if (type) *type = nativeType;
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

long AdvapiRegistry::RegDeleteValue(KeyHandle key, const std::string& name) {
  return ::RegDeleteValueA(ToNative(key), name.c_str());
}

long AdvapiRegistry::RegCloseKey(KeyHandle key) { return ::RegCloseKey(ToNative(key)); }

long AdvapiRegistry::RegFlushKey(KeyHandle key) { return ::RegFlushKey(ToNative(key)); }

}  // namespace zorvanel::win32
