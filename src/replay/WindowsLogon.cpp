#include "replay/WindowsLogon.h"

#include <array>
#include <utility>

#include "modes/PendingCheck.h"

namespace zorvanel::replay {

namespace {

using namespace registry;

// The key's text entries by name and command line; entries of other types
// are not commands.
std::vector<std::pair<std::string, std::string>> Entries(RegistryApi& api, KeyHandle key) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::uint32_t index = 0;; ++index) {
    std::array<char, 256> name{};
    std::uint32_t length = name.size();
    std::uint32_t type = 0;
    if (api.RegEnumValue(key, index, name.data(), &length, &type) != kSuccess) break;
    const std::string entry(name.data(), length);
    std::array<std::uint8_t, 1024> data{};
    std::uint32_t size = data.size() - 1;
    if (type != REG_SZ || api.RegQueryValueEx(key, entry, nullptr, data.data(), &size) != kSuccess) {
      continue;
    }
    entries.emplace_back(entry, reinterpret_cast<const char*>(data.data()));
  }
  return entries;
}

}  // namespace

std::vector<std::string> RunOnceAtLogon(RegistryApi& api, bool safeMode) {
  KeyHandle key = 0;
  if (api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, modes::kRunOnceKey, KEY_QUERY_VALUE | KEY_SET_VALUE,
                       &key) != kSuccess) {
    return {};
  }
  std::vector<std::string> commands;
  for (const auto& [name, command] : Entries(api, key)) {
    if (safeMode && !name.starts_with('*')) continue;
    api.RegDeleteValue(key, name);
    commands.push_back(command);
  }
  api.RegCloseKey(key);
  return commands;
}

}  // namespace zorvanel::replay
