#pragma once
// The registry call trace of zorvanel-replay (--trace-calls): wraps the seam
// and writes one line per call, with its arguments and its result, so that a
// test can tell which calls were made, which failed, and what they wrote.
//
//   trace RegOpenKeyEx 1 root=0x80000002 path="SOFTWARE" access=0x1 -> 0 key=0x100
//   trace RegSetValueEx 1 key=0x100 name="Version" type=1 data=322e3231 -> 0
//
// The number after the call's name counts that function's calls from 1, as
// --fail CALL:N:CODE does; texts are quoted as in the transcript. The data
// of a write is what the registry stores: a text with the NUL that follows
// it, when one does. Calls that Windows makes itself (the replay's logon)
// are named with "windows:" in front and counted on their own.

#include <ostream>
#include <string>

#include "platform/registry/RegistryApi.h"
#include "platform/registry/FaultInjection.h"

namespace zorvanel::replay {

class CallTrace : public registry::RegistryApi {
 public:
  // Without a stream the calls pass through untraced.
  CallTrace(registry::RegistryApi& inner, std::ostream* out, std::string caller = "")
      : inner_(inner), out_(out), caller_(std::move(caller)) {}

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

 private:
  // Writes the line of one call: its name, its count, the arguments given.
  long Traced(registry::RegistryCall call, long code, const std::string& arguments,
              const std::string& results = "");

  registry::RegistryApi& inner_;
  std::ostream* out_;
  std::string caller_;  // "windows:" for Windows' own calls
  std::array<std::uint32_t, registry::kRegistryCallCount> counts_{};
};

}  // namespace zorvanel::replay
