#include "replay/CallTrace.h"

#include <cstdio>

#include "platform/headless/Transcript.h"
#include "platform/registry/AnsiText.h"

namespace zorvanel::replay {

namespace {

using namespace registry;

std::string Hex(std::uintptr_t number) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(number));
  return text;
}

std::string Bytes(const std::uint8_t* data, std::uint32_t size) {
  std::string text;
  for (std::uint32_t i = 0; data && i < size; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", data[i]);
    text += pair;
  }
  return text;
}

std::string KeyPath(KeyHandle root, const std::string& path) {
  return "root=" + Hex(root) + " path=" + headless::Quote(path);
}

// Which of the optional outputs a query asked for: the type, the data.
std::string Wanted(const std::uint32_t* type, const std::uint8_t* data) {
  return std::string(" type=") + (type ? "wanted" : "no") + " data=" + (data ? "wanted" : "no");
}

}  // namespace

long CallTrace::Traced(RegistryCall call, long code, const std::string& arguments,
                       const std::string& results) {
  const std::uint32_t count = ++counts_[static_cast<std::size_t>(call)];
  if (out_) {
    *out_ << "trace " << caller_ << CallName(call) << ' ' << count << ' ' << arguments << " -> " << code
          << results << '\n';
  }
  return code;
}

long CallTrace::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                             KeyHandle* key) {
  const long code = inner_.RegOpenKeyEx(root, path, access, key);
  return Traced(RegistryCall::RegOpenKeyEx, code, KeyPath(root, path) + " access=" + Hex(access),
                code == kSuccess ? " key=" + Hex(*key) : "");
}

long CallTrace::RegCreateKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                               KeyHandle* key) {
  const long code = inner_.RegCreateKeyEx(root, path, access, key);
  return Traced(RegistryCall::RegCreateKeyEx, code,
                KeyPath(root, path) + " access=" + Hex(access),
                code == kSuccess ? " key=" + Hex(*key) : "");
}

long CallTrace::RegQueryValueEx(KeyHandle key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  const std::string arguments = "key=" + Hex(key) + " name=" + headless::Quote(name) +
                                Wanted(type, data);
  return Traced(RegistryCall::RegQueryValueEx, inner_.RegQueryValueEx(key, name, type, data, size),
                arguments);
}

long CallTrace::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  return Traced(RegistryCall::RegSetValueEx, inner_.RegSetValueEx(key, name, type, data, size),
                "key=" + Hex(key) + " name=" + headless::Quote(name) +
                    " type=" + std::to_string(type) +
                    " data=" + Bytes(data, data ? StoredSize(type, data, size) : size));
}

long CallTrace::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                             std::uint32_t* nameLength, std::uint32_t* type) {
  return Traced(RegistryCall::RegEnumValue,
                inner_.RegEnumValue(key, index, name, nameLength, type),
                "key=" + Hex(key) + " index=" + std::to_string(index));
}

long CallTrace::RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                             std::uint32_t* nameLength) {
  return Traced(RegistryCall::RegEnumKeyEx, inner_.RegEnumKeyEx(key, index, name, nameLength),
                "key=" + Hex(key) + " index=" + std::to_string(index));
}

long CallTrace::RegDeleteKey(KeyHandle root, const std::string& path) {
  return Traced(RegistryCall::RegDeleteKey, inner_.RegDeleteKey(root, path), KeyPath(root, path));
}

long CallTrace::RegDeleteValue(KeyHandle key, const std::string& name) {
  return Traced(RegistryCall::RegDeleteValue, inner_.RegDeleteValue(key, name),
                "key=" + Hex(key) + " name=" + headless::Quote(name));
}

long CallTrace::RegCloseKey(KeyHandle key) {
  return Traced(RegistryCall::RegCloseKey, inner_.RegCloseKey(key), "key=" + Hex(key));
}

long CallTrace::RegFlushKey(KeyHandle key) {
  return Traced(RegistryCall::RegFlushKey, inner_.RegFlushKey(key), "key=" + Hex(key));
}

}  // namespace zorvanel::replay
