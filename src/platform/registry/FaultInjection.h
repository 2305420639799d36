#pragma once
// The fault hook: wraps any registry seam and makes chosen calls fail, so the
// layer's failure paths can be driven on the substitute store and on a real
// registry alike.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::registry {

// The seam's calls, named after the advapi32 functions they stand for.
enum class RegistryCall {
  RegOpenKeyEx,
  RegCreateKeyEx,
  RegQueryValueEx,
  RegSetValueEx,
  RegEnumValue,
  RegDeleteKey,
  RegCloseKey,
  RegEnumKeyEx,
  RegDeleteValue,
  RegFlushKey,
};
inline constexpr std::size_t kRegistryCallCount = 10;

std::string_view CallName(RegistryCall call);
std::optional<RegistryCall> CallFromName(std::string_view name);

struct Fault {
  RegistryCall call;
  std::uint32_t nth;  // 1-based count of that call
  long code;
};

// Parses "CALL:N:CODE", for example "RegSetValueEx:2:5".
std::optional<Fault> ParseFault(std::string_view text);

class FaultInjector : public RegistryApi {
 public:
  explicit FaultInjector(RegistryApi& inner) : inner_(inner) {}

  void Add(const Fault& fault) { faults_.push_back(fault); }
  // What a flush made to fail also does beneath: on hives a failed commit
  // drops what it did not commit, so the hook must drop it too.
  void OnFailedFlush(std::function<void()> drop) { onFailedFlush_ = std::move(drop); }
  std::uint32_t CallCount(RegistryCall call) const { return counts_[Index(call)]; }

  long RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                    KeyHandle* key) override;
  long RegCreateKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                      KeyHandle* key) override;
  long RegQueryValueEx(KeyHandle key, const std::string& name, std::uint32_t* type,
                       std::uint8_t* data, std::uint32_t* size) override;
  long RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                     const std::uint8_t* data, std::uint32_t size) override;
  long RegEnumValue(KeyHandle key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                    std::uint32_t* type) override;
  long RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                    std::uint32_t* nameLength) override;
  long RegDeleteKey(KeyHandle root, const std::string& path) override;
  long RegDeleteValue(KeyHandle key, const std::string& name) override;
  long RegCloseKey(KeyHandle key) override;
  long RegFlushKey(KeyHandle key) override;

 private:
  static std::size_t Index(RegistryCall call) { return static_cast<std::size_t>(call); }
  // Counts the call; the injected code when this one is to fail.
  std::optional<long> Injected(RegistryCall call);

  RegistryApi& inner_;
  std::vector<Fault> faults_;
  std::function<void()> onFailedFlush_;
  std::array<std::uint32_t, kRegistryCallCount> counts_{};
};

}  // namespace zorvanel::registry
