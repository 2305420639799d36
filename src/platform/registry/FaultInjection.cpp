#include "platform/registry/FaultInjection.h"

#include <charconv>

namespace zorvanel::registry {

namespace {
constexpr std::array<std::string_view, kRegistryCallCount> kCallNames = {
    "RegOpenKeyEx", "RegCreateKeyEx", "RegQueryValueEx", "RegSetValueEx",
    "RegEnumValue", "RegDeleteKey",   "RegCloseKey",   "RegEnumKeyEx",
    "RegDeleteValue", "RegFlushKey"};

template <typename Number>
bool ParseNumber(std::string_view text, Number* out) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *out);
  return error == std::errc() && end == text.data() + text.size();
}
}  // namespace

std::string_view CallName(RegistryCall call) { return kCallNames[static_cast<std::size_t>(call)]; }

std::optional<RegistryCall> CallFromName(std::string_view name) {
  for (std::size_t i = 0; i < kCallNames.size(); ++i) {
    if (kCallNames[i] == name) return static_cast<RegistryCall>(i);
  }
  return std::nullopt;
}

std::optional<Fault> ParseFault(std::string_view text) {
  const auto first = text.find(':');
  const auto second = text.find(':', first == std::string_view::npos ? first : first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
  Fault fault{};
  auto call = CallFromName(text.substr(0, first));
  if (!call) return std::nullopt;
  fault.call = *call;
  if (!ParseNumber(text.substr(first + 1, second - first - 1), &fault.nth) || fault.nth == 0 ||
      !ParseNumber(text.substr(second + 1), &fault.code)) {
    return std::nullopt;
  }
  return fault;
}

std::optional<long> FaultInjector::Injected(RegistryCall call) {
  const std::uint32_t count = ++counts_[Index(call)];
  for (const Fault& fault : faults_) {
    if (fault.call == call && fault.nth == count) return fault.code;
  }
  return std::nullopt;
}

long FaultInjector::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                 KeyHandle* key) {
  if (auto code = Injected(RegistryCall::RegOpenKeyEx)) return *code;
  return inner_.RegOpenKeyEx(root, path, access, key);
}

long FaultInjector::RegCreateKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                   KeyHandle* key) {
  if (auto code = Injected(RegistryCall::RegCreateKeyEx)) return *code;
  return inner_.RegCreateKeyEx(root, path, access, key);
}

long FaultInjector::RegQueryValueEx(KeyHandle key, const std::string& name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  if (auto code = Injected(RegistryCall::RegQueryValueEx)) return *code;
  return inner_.RegQueryValueEx(key, name, type, data, size);
}

long FaultInjector::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  if (auto code = Injected(RegistryCall::RegSetValueEx)) return *code;
  return inner_.RegSetValueEx(key, name, type, data, size);
}

long FaultInjector::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                                 std::uint32_t* nameLength, std::uint32_t* type) {
  if (auto code = Injected(RegistryCall::RegEnumValue)) return *code;
  return inner_.RegEnumValue(key, index, name, nameLength, type);
}

long FaultInjector::RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                                 std::uint32_t* nameLength) {
  if (auto code = Injected(RegistryCall::RegEnumKeyEx)) return *code;
  return inner_.RegEnumKeyEx(key, index, name, nameLength);
}

long FaultInjector::RegDeleteKey(KeyHandle root, const std::string& path) {
  if (auto code = Injected(RegistryCall::RegDeleteKey)) return *code;
  return inner_.RegDeleteKey(root, path);
}

long FaultInjector::RegDeleteValue(KeyHandle key, const std::string& name) {
  if (auto code = Injected(RegistryCall::RegDeleteValue)) return *code;
  return inner_.RegDeleteValue(key, name);
}

// A close that is made to fail still releases the key, so a test of the
// failure path leaks no handle.
long FaultInjector::RegCloseKey(KeyHandle key) {
  auto code = Injected(RegistryCall::RegCloseKey);
  const long real = inner_.RegCloseKey(key);
  return code ? *code : real;
}

long FaultInjector::RegFlushKey(KeyHandle key) {
  if (auto code = Injected(RegistryCall::RegFlushKey)) {
    if (onFailedFlush_) onFailedFlush_();
    return *code;
  }
  return inner_.RegFlushKey(key);
}

}  // namespace zorvanel::registry
