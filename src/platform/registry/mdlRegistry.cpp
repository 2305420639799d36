#include "platform/registry/mdlRegistry.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zorvanel::registry {

void mdlRegistry::ShowRegError() {
  ++failures_;
  boxes_.MessageBox(kRegistryErrorText, ui::Buttons::OK, ui::Icon::Critical, kRegistryErrorTitle);
}

std::optional<KeyHandle> mdlRegistry::OpenReported(KeyHandle root, const std::string& path,
                                                   std::uint32_t access) {
  KeyHandle key = 0;
  if (api_.RegOpenKeyEx(root, path, access, &key) != kSuccess) {
    ShowRegError();
    return std::nullopt;
  }
  return key;
}

void mdlRegistry::CloseReported(KeyHandle key) {
  if (api_.RegCloseKey(key) != kSuccess) ShowRegError();
}

bool mdlRegistry::FlushKey(KeyHandle root) {
  if (!unflushed_) return true;
  unflushed_ = false;
  if (api_.RegFlushKey(root) == kSuccess) return true;
  ShowRegError();
  return false;
}

void mdlRegistry::CreateKey(KeyHandle root, const std::string& path) {
  unflushed_ = true;
  KeyHandle key = 0;
  if (api_.RegCreateKeyEx(root, path, KEY_CREATE_SUB_KEY, &key) != kSuccess) {
    ShowRegError();
    return;
  }
  CloseReported(key);
}

void mdlRegistry::DeleteKey(KeyHandle root, const std::string& path) {
  unflushed_ = true;
  if (api_.RegDeleteKey(root, path) != kSuccess) ShowRegError();
}

void mdlRegistry::DeleteValue(KeyHandle root, const std::string& path, const std::string& name) {
  unflushed_ = true;
  auto key = OpenReported(root, path, KEY_SET_VALUE);
  if (!key) return;
  if (api_.RegDeleteValue(*key, name) != kSuccess) ShowRegError();
  CloseReported(*key);
}

// The silent test callers use before touching keys that may be absent.
bool mdlRegistry::KeyExists(KeyHandle root, const std::string& path) {
  KeyHandle key = 0;
  if (api_.RegOpenKeyEx(root, path, KEY_ENUMERATE_SUB_KEYS, &key) != kSuccess) return false;
  api_.RegCloseKey(key);
  return true;
}

bool mdlRegistry::ValueExists(KeyHandle root, const std::string& path, const std::string& name) {
  auto key = OpenReported(root, path, KEY_QUERY_VALUE);
  if (!key) return false;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  const bool exists = api_.RegQueryValueEx(*key, name, &type, nullptr, &size) == kSuccess;
  CloseReported(*key);
  return exists;
}

void mdlRegistry::SetValue(KeyHandle root, const std::string& path, const std::string& name,
                           std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  unflushed_ = true;
  auto key = OpenReported(root, path, KEY_SET_VALUE);
  if (!key) return;
  if (api_.RegSetValueEx(*key, name, type, data, size) != kSuccess) ShowRegError();
  CloseReported(*key);
}

void mdlRegistry::SetDwordValue(KeyHandle root, const std::string& path, const std::string& name,
                                std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::array<std::uint8_t, 4> bytes = {
      static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
      static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  SetValue(root, path, name, REG_DWORD, bytes.data(), 4);
}

// The text is stored without a terminating NUL: the data length is the
// number of characters.
void mdlRegistry::SetStringValue(KeyHandle root, const std::string& path, const std::string& name,
                                 const std::string& text) {
  SetValue(root, path, name, REG_SZ, reinterpret_cast<const std::uint8_t*>(text.data()),
           static_cast<std::uint32_t>(text.size()));
}

std::int32_t mdlRegistry::GetDwordValue(KeyHandle root, const std::string& path,
                                        const std::string& name) {
  auto key = OpenReported(root, path, KEY_QUERY_VALUE);
  if (!key) return 0;
  std::array<std::uint8_t, 4> bytes{};
  std::uint32_t size = 4;
  std::int32_t result = 0;
  if (api_.RegQueryValueEx(*key, name, nullptr, bytes.data(), &size) == kSuccess) {
    result = static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                       (static_cast<std::uint32_t>(bytes[3]) << 24));
  } else {
    ShowRegError();
  }
  CloseReported(*key);
  return result;
}

// Asks for the size first, then reads into a buffer of exactly that size
// and cuts the text at its first NUL: a text stored with a terminator reads
// without it, one stored without reads whole, and a multi-string reads as its
// first string.
std::string mdlRegistry::GetStringValue(KeyHandle root, const std::string& path,
                                        const std::string& name) {
  auto key = OpenReported(root, path, KEY_QUERY_VALUE);
  if (!key) return {};
  std::string result;
  std::uint32_t size = 0;
  if (api_.RegQueryValueEx(*key, name, nullptr, nullptr, &size) != kSuccess) {
    ShowRegError();
  } else {
    std::vector<std::uint8_t> buffer(size, ' ');
    if (api_.RegQueryValueEx(*key, name, nullptr, buffer.data(), &size) != kSuccess) {
      ShowRegError();
    } else {
      result.assign(buffer.begin(), buffer.end());
      result.erase(std::min(result.find('\0'), result.size()));
    }
  }
  CloseReported(*key);
  return result;
}

std::vector<std::uint8_t> mdlRegistry::GetBinaryValue(KeyHandle root, const std::string& path,
                                                      const std::string& name) {
  auto value = GetRawValue(root, path, name);
  return value ? std::move(value->bytes) : std::vector<std::uint8_t>{};
}

// Asks for the size first (not for the type, which would make it the
// existence test), then reads type and bytes. The registry may put a NUL
// after a text stored without one where the buffer has room; the size it
// gives back does not count that NUL, and neither does the result.
std::optional<RawValue> mdlRegistry::GetRawValue(KeyHandle root, const std::string& path,
                                                 const std::string& name) {
  auto key = OpenReported(root, path, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  std::optional<RawValue> result;
  std::uint32_t size = 0;
  if (api_.RegQueryValueEx(*key, name, nullptr, nullptr, &size) != kSuccess) {
    ShowRegError();
  } else {
    RawValue value;
    value.bytes.resize(size);
    if (api_.RegQueryValueEx(*key, name, &value.type, value.bytes.data(), &size) != kSuccess) {
      ShowRegError();
    } else {
      value.bytes.resize(std::min<std::size_t>(size, value.bytes.size()));
      result = std::move(value);
    }
  }
  CloseReported(*key);
  return result;
}

// The registry stores a text that does not end in a NUL together with the
// byte after it when that byte is a NUL, so the byte after is made one that
// is not.
void mdlRegistry::SetRawValue(KeyHandle root, const std::string& path, const std::string& name,
                              const RawValue& value) {
  std::vector<std::uint8_t> bytes = value.bytes;
  bytes.push_back(0xFF);
  SetValue(root, path, name, value.type, bytes.data(),
           static_cast<std::uint32_t>(value.bytes.size()));
}

std::string mdlRegistry::EnumValueName(KeyHandle root, const std::string& path,
                                       std::uint32_t index) {
  auto key = OpenReported(root, path, KEY_READ);
  if (!key) return {};
  std::string result;
  std::array<char, 255> name{};
  std::uint32_t length = 255;
  std::uint32_t type = 0;
  const long code = api_.RegEnumValue(*key, index, name.data(), &length, &type);
  if (code == kSuccess) {
    result = (type == REG_SZ || type == REG_MULTI_SZ) ? std::string(name.data(), length)
                                                      : std::string(kNonTextValueName);
  } else if (code != kNoMoreItems) {
    ShowRegError();
  }
  CloseReported(*key);
  return result;
}

// Key names are at most 255 characters.
std::string mdlRegistry::EnumKeyName(KeyHandle root, const std::string& path,
                                     std::uint32_t index) {
  auto key = OpenReported(root, path, KEY_READ);
  if (!key) return {};
  std::string result;
  std::array<char, 256> name{};
  std::uint32_t length = 256;
  const long code = api_.RegEnumKeyEx(*key, index, name.data(), &length);
  if (code == kSuccess) {
    result.assign(name.data(), length);
  } else if (code != kNoMoreItems) {
    ShowRegError();
  }
  CloseReported(*key);
  return result;
}

}  // namespace zorvanel::registry
