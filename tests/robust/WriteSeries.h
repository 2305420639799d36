#pragma once
// The endless, deterministic series of write-through changes that the crash
// test's child makes, and that the test replays in memory to know which
// states the store may be in.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::robust {

inline constexpr const char* kSeriesKey = "SOFTWARE\\Dravenlock\\Series";

inline bool CreateKey(registry::RegistryApi& api, const std::string& path) {
  registry::KeyHandle key = 0;
  return api.RegCreateKeyEx(registry::HKEY_LOCAL_MACHINE, path, registry::KEY_CREATE_SUB_KEY, &key) ==
             registry::kSuccess &&
         api.RegCloseKey(key) == registry::kSuccess;
}

// The store must hold the series key before the first change.
inline bool PrepareSeries(registry::RegistryApi& api) { return CreateKey(api, kSeriesKey); }

// Makes change number `step` (from 1): one call that changes the store, but
// that deleting a key not there yet changes nothing. Every fourth change sets
// a number, a text (of very different lengths, so that the file grows and
// shrinks), creates subkey m % 6 or deletes subkey (m + 3) % 6 at round m,
// so that after the first rounds each create and delete really changes the
// store. False when a call failed unexpectedly.
inline bool MakeChange(registry::RegistryApi& api, std::uint64_t step) {
  using namespace registry;
  const std::string subkey = std::string(kSeriesKey) + "\\Key" + std::to_string((step / 4 + step % 4 / 3 * 3) % 6);
  if (step % 4 == 2) return CreateKey(api, subkey);
  if (step % 4 == 3) {
    const long code = api.RegDeleteKey(HKEY_LOCAL_MACHINE, subkey);
    return code == kSuccess || code == kFileNotFound;
  }
  std::vector<std::uint8_t> data(2 + (step * 7919) % 6000, static_cast<std::uint8_t>('a' + step % 26));
  data.back() = 0;
  if (step % 4 == 0) data = {static_cast<std::uint8_t>(step), static_cast<std::uint8_t>(step >> 8),
                             static_cast<std::uint8_t>(step >> 16), static_cast<std::uint8_t>(step >> 24)};
  KeyHandle key = 0;
  if (api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSeriesKey, KEY_SET_VALUE, &key) != kSuccess) return false;
  const long set = api.RegSetValueEx(key, step % 4 ? "Text" + std::to_string(step % 3) : "Step",
                                     step % 4 ? REG_SZ : REG_DWORD, data.data(),
                                     static_cast<std::uint32_t>(data.size()));
  return api.RegCloseKey(key) == kSuccess && set == kSuccess;
}

}  // namespace zorvanel::robust
