#include "tests/robust/WriteSeries.h"

#include <string>
#include <vector>

namespace zorvanel::robust {

namespace {

using namespace registry;

constexpr std::uint64_t kSubkeys = 6;

std::string Subkey(std::uint64_t index) {
  return std::string(kSeriesKey) + "\\Key" + std::to_string(index % kSubkeys);
}

bool SetValue(RegistryApi& api, const std::string& name, std::uint32_t type,
              const std::vector<std::uint8_t>& data) {
  KeyHandle key = 0;
  if (api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSeriesKey, KEY_SET_VALUE, &key) != kSuccess) {
    return false;
  }
  const long set = api.RegSetValueEx(key, name, type, data.data(),
                                     static_cast<std::uint32_t>(data.size()));
  return api.RegCloseKey(key) == kSuccess && set == kSuccess;
}

// Texts of very different lengths, so that the file grows and shrinks and
// writes take different times.
std::vector<std::uint8_t> Text(std::uint64_t step) {
  std::vector<std::uint8_t> text(1 + (step * 7919) % 6000, static_cast<std::uint8_t>('a' + step % 26));
  text.push_back(0);
  return text;
}

}  // namespace

bool PrepareSeries(RegistryApi& api) {
  KeyHandle key = 0;
  if (api.RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSeriesKey, KEY_CREATE_SUB_KEY, &key) != kSuccess) {
    return false;
  }
  return api.RegCloseKey(key) == kSuccess;
}

// Every fourth change sets a number, a text, creates a subkey or deletes one.
// A subkey is created at round m = j (mod 6) and deleted at round m = j + 3,
// so after the first rounds each create and delete really changes the store.
bool MakeChange(RegistryApi& api, std::uint64_t step) {
  const std::uint64_t round = step / 4;
  switch (step % 4) {
    case 0: {
      const auto low = static_cast<std::uint32_t>(step);
      return SetValue(api, "Step", REG_DWORD,
                      {static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(low >> 8),
                       static_cast<std::uint8_t>(low >> 16), static_cast<std::uint8_t>(low >> 24)});
    }
    case 1:
      return SetValue(api, "Text" + std::to_string(step % 3), REG_SZ, Text(step));
    case 2: {
      KeyHandle key = 0;
      if (api.RegCreateKeyEx(HKEY_LOCAL_MACHINE, Subkey(round), KEY_CREATE_SUB_KEY, &key) !=
          kSuccess) {
        return false;
      }
      return api.RegCloseKey(key) == kSuccess;
    }
    default: {
      const long code = api.RegDeleteKey(HKEY_LOCAL_MACHINE, Subkey(round + 3));
      return code == kSuccess || code == kFileNotFound;
    }
  }
}

}  // namespace zorvanel::robust
