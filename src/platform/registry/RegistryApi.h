#pragma once
// The registry seam: the ten advapi32 calls the program makes, with their
// Windows result codes. The real registry stands behind it on Windows, the
// substitute store elsewhere and in tests.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zorvanel::registry {

using KeyHandle = std::uintptr_t;

// Predefined root, as the 32-bit value Windows gives it. 64-bit Windows
// hands it out sign-extended and looks only at the low 32 bits of a handle
// to tell a predefined root, so either form names it.
inline constexpr KeyHandle HKEY_LOCAL_MACHINE = 0x80000002u;

inline constexpr bool IsLocalMachine(KeyHandle key) {
  return static_cast<std::uint32_t>(key) == HKEY_LOCAL_MACHINE;
}

// Windows result codes.
enum ResultCode : long {
  kSuccess = 0,
  kFileNotFound = 2,
  kAccessDenied = 5,
  kInvalidHandle = 6,
  kInvalidParameter = 87,
  kBadPathname = 161,
  kMoreData = 234,
  kNoMoreItems = 259,
  kBadDb = 1009,  // the hive holds data that cannot be read
  kKeyDeleted = 1018,
};

// Access masks.
enum AccessMask : std::uint32_t {
  KEY_QUERY_VALUE = 0x0001,
  KEY_SET_VALUE = 0x0002,
  KEY_CREATE_SUB_KEY = 0x0004,
  KEY_ENUMERATE_SUB_KEYS = 0x0008,
  KEY_READ = 0x20019,
  KEY_ALL_ACCESS = 0xF003F,
  // Asks for whatever the caller may have.
  MAXIMUM_ALLOWED = 0x02000000,
};

// Value types; any other number is kept as it is.
enum RegistryType : std::uint32_t {
  REG_NONE = 0,
  REG_SZ = 1,
  REG_EXPAND_SZ = 2,
  REG_BINARY = 3,
  REG_DWORD = 4,
  REG_MULTI_SZ = 7,
};

// The types whose data is text: NUL-terminated, or a list of such texts.
constexpr bool IsTextType(std::uint32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The registry refuses value names longer than this.
inline constexpr std::size_t kMaxValueNameLength = 16'383;

// A handle stands for the key it opened, not for its path: once that key is
// deleted the handle gives kKeyDeleted, even when a key of the same name is
// created again.
class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // An empty path on a predefined root gives that root back. A failed open
  // sets *key to 0; a null key is kInvalidParameter.
  virtual long RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                            KeyHandle* key) = 0;
  // Creates the key and its missing parents (non-volatile, default security);
  // opens it when it exists.
  virtual long RegCreateKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                              KeyHandle* key) = 0;
  // type and data may be null. With data null only the size is asked for
  // (0 for a missing value); with a buffer that is too small the result is
  // kMoreData and *size the size needed. Data without size is
  // kInvalidParameter. A text stored without a terminator reads with a NUL
  // after it when the buffer has room for one; *size does not count it.
  virtual long RegQueryValueEx(KeyHandle key, const std::string& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) = 0;
  // A text (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) whose last byte is not a
  // NUL is stored with the NUL that follows it, when one follows: the byte
  // after the data is read, so it must be readable (std::string's is).
  virtual long RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) = 0;
  // *nameLength holds the buffer's size in characters, the terminator
  // included; on success it is the name's length without the terminator.
  // A name that does not fit is kMoreData, with *type set all the same.
  // A null name or nameLength is kInvalidParameter.
  virtual long RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                            std::uint32_t* nameLength, std::uint32_t* type) = 0;
  // Names the subkey at index, as RegEnumValue names a value; kNoMoreItems
  // past the last one.
  virtual long RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                            std::uint32_t* nameLength) = 0;
  virtual long RegDeleteKey(KeyHandle root, const std::string& path) = 0;
  // The key must be open with KEY_SET_VALUE.
  virtual long RegDeleteValue(KeyHandle key, const std::string& name) = 0;
  virtual long RegCloseKey(KeyHandle key) = 0;
  // Puts the changes made so far on disk before it returns, for the whole
  // hive the key lies in (the program flushes HKEY_LOCAL_MACHINE, which is
  // every hive). Until then a power failure may lose them.
  virtual long RegFlushKey(KeyHandle key) = 0;
};

}  // namespace zorvanel::registry
