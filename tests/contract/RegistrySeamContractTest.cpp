// What the registry behind the seam does at its edges: names and paths,
// buffers that are too small, access, handles that are no longer good, and
// the limits the real registry sets. Runs on the substitute store and, in
// the Windows build, on the real registry, so that the two cannot drift
// apart unnoticed.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/registry/mdlRegistry.h"
#include "tests/contract/ContractRegistry.h"
#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::contract {
namespace {

using registry::HKEY_LOCAL_MACHINE;
using registry::KeyHandle;
using Bytes = std::vector<std::uint8_t>;

const std::string kKey = std::string(kScratchKey) + "\\Seam";

class RegistrySeam : public ::testing::TestWithParam<ContractTarget> {
 protected:
  void SetUp() override { layer.CreateKey(HKEY_LOCAL_MACHINE, kKey); }

  KeyHandle Open(std::uint32_t access, const std::string& path = kKey) {
    KeyHandle key = 0;
    EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, access, &key), 0) << path;
    return key;
  }

  // The registry reads the byte after a text's data: `after` is that byte.
  long Put(KeyHandle key, const std::string& name, std::uint32_t type, Bytes data,
           std::uint8_t after = 0) {
    const auto size = static_cast<std::uint32_t>(data.size());
    data.push_back(after);
    return api.RegSetValueEx(key, name, type, data.data(), size);
  }

  Bytes Stored(KeyHandle key, const std::string& name) {
    Bytes data(64);
    auto size = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(api.RegQueryValueEx(key, name, nullptr, data.data(), &size), 0);
    data.resize(size);
    return data;
  }

  Bytes Stored(const std::string& name) {
    const KeyHandle key = Open(registry::KEY_QUERY_VALUE);
    Bytes data = Stored(key, name);
    api.RegCloseKey(key);
    return data;
  }

  std::unique_ptr<registry::RegistryApi> registry = GetParam().open();
  registry::RegistryApi& api = *registry;
  RecordingBoxes boxes;
  registry::mdlRegistry layer{api, boxes};
};

// The layer hands over a text's characters only; the registry stores the NUL
// after them too, which the layer's reader cuts off again.
TEST_P(RegistrySeam, TextsAndNumbersAreStoredAsTheirBytes) {
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, "Version", "2.21f E");
  EXPECT_EQ(Stored("Version"), (Bytes{'2', '.', '2', '1', 'f', ' ', 'E', 0}));
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Number", static_cast<std::int32_t>(0x80000001));
  EXPECT_EQ(Stored("Number"), (Bytes{1, 0, 0, 0x80}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_P(RegistrySeam, NamesIgnoreCaseAndKeepTheCaseTheyWereMadeWith) {
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\MixedCase");
  EXPECT_TRUE(layer.KeyExists(HKEY_LOCAL_MACHINE, kKey + "\\MIXEDCASE"));
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey + "\\mixedcase", "DriverVersion", "6.14.10.4523");
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey + "\\MixedCase", "DRIVERVERSION", "6.14.10.5216");
  EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, kKey + "\\MixedCase", "driverversion"),
            "6.14.10.5216");
  EXPECT_EQ(layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey + "\\MixedCase", 0), "DriverVersion");
  EXPECT_EQ(layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey + "\\MixedCase", 1), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

// Detection walks "...\Enum\" with the backslash still on.
TEST_P(RegistrySeam, PathsIgnoreATrailingBackslashButNotALeadingOne) {
  EXPECT_TRUE(layer.KeyExists(HKEY_LOCAL_MACHINE, kKey + "\\"));
  EXPECT_FALSE(layer.KeyExists(HKEY_LOCAL_MACHINE, "\\" + kKey));
  KeyHandle key = 0;
  EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "\\" + kKey, registry::KEY_READ, &key),
            registry::kBadPathname);
}

// The enumerator's name buffer holds 254 characters and the terminator.
TEST_P(RegistrySeam, EnumerationReportsANameTooLongForItsBuffer) {
  for (int length : {254, 255}) {
    SCOPED_TRACE(length);
    const std::string path = kKey + "\\Name" + std::to_string(length);
    layer.CreateKey(HKEY_LOCAL_MACHINE, path);
    const KeyHandle key = Open(registry::KEY_SET_VALUE, path);
    EXPECT_EQ(Put(key, std::string(static_cast<std::size_t>(length), 'n'), registry::REG_SZ,
                  Bytes{'x', 0}),
              0);
    api.RegCloseKey(key);
  }
  EXPECT_EQ(layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey + "\\Name254", 0), std::string(254, 'n'));
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey + "\\Name255", 0), "");
  EXPECT_EQ(boxes.Count(), 1u);
}

TEST_P(RegistrySeam, BuffersThatAreTooSmallGetTheSizeNeeded) {
  const KeyHandle key = Open(registry::KEY_READ | registry::KEY_SET_VALUE);
  EXPECT_EQ(Put(key, "Value", registry::REG_BINARY, Bytes{1, 2, 3, 4, 5, 6}), 0);
  Bytes data(4);
  std::uint32_t size = 4;
  EXPECT_EQ(api.RegQueryValueEx(key, "Value", nullptr, data.data(), &size), registry::kMoreData);
  EXPECT_EQ(size, 6u);

  char name[6];
  std::uint32_t length = sizeof name;
  std::uint32_t type = 0;
  EXPECT_EQ(api.RegEnumValue(key, 0, name, &length, &type), 0);
  EXPECT_EQ(std::string(name, length), "Value");
  EXPECT_EQ(type, registry::REG_BINARY);
  length = sizeof name;
  EXPECT_EQ(api.RegEnumValue(key, 1, name, &length, &type), registry::kNoMoreItems);
  EXPECT_EQ(api.RegCloseKey(key), 0);
}

// An EDID is read as it is stored, and the monitors' keys are found by
// enumerating subkeys, in the registry's order (sorted by name).
TEST_P(RegistrySeam, BinaryValuesAndSubkeysReadBack) {
  const KeyHandle key = Open(registry::KEY_SET_VALUE);
  EXPECT_EQ(Put(key, "EDID", registry::REG_BINARY, Bytes{0, 0xFF, 0, 0x80}), 0);
  api.RegCloseKey(key);
  EXPECT_EQ(layer.GetBinaryValue(HKEY_LOCAL_MACHINE, kKey, "edid"), (Bytes{0, 0xFF, 0, 0x80}));
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\SAM0171");
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\Default_Monitor");
  EXPECT_EQ(layer.EnumKeyName(HKEY_LOCAL_MACHINE, kKey, 0), "Default_Monitor");
  EXPECT_EQ(layer.EnumKeyName(HKEY_LOCAL_MACHINE, kKey, 1), "SAM0171");
  EXPECT_EQ(layer.EnumKeyName(HKEY_LOCAL_MACHINE, kKey, 2), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_P(RegistrySeam, AKeyDoesOnlyWhatItWasOpenedFor) {
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, "Value", "text");
  const KeyHandle queryOnly = Open(registry::KEY_QUERY_VALUE);
  EXPECT_EQ(Put(queryOnly, "Value", registry::REG_SZ, Bytes{'x'}), registry::kAccessDenied);
  api.RegCloseKey(queryOnly);
  const KeyHandle setOnly = Open(registry::KEY_SET_VALUE);
  std::uint32_t size = 0;
  EXPECT_EQ(api.RegQueryValueEx(setOnly, "Value", nullptr, nullptr, &size),
            registry::kAccessDenied);
  api.RegCloseKey(setOnly);
  EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, kKey, "Value"), "text");
}

TEST_P(RegistrySeam, ValueNamesLongerThanTheRegistryAllowsAreRefused) {
  const KeyHandle key = Open(registry::KEY_SET_VALUE);
  EXPECT_EQ(Put(key, std::string(16383, 'v'), registry::REG_BINARY, Bytes{1}), 0);
  EXPECT_EQ(Put(key, std::string(16384, 'v'), registry::REG_BINARY, Bytes{1}), registry::kInvalidParameter);
  api.RegCloseKey(key);
  EXPECT_TRUE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey, std::string(16383, 'v')));
  EXPECT_FALSE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey, std::string(16384, 'v')));
}

// Behaviours of Windows NT that a caller may meet at the seam's edges, each
// row on a key of its own.
TEST_P(RegistrySeam, BehavesAsWindowsNtAtTheEdges) {
  using namespace registry;
  const KeyHandle signExtended = static_cast<KeyHandle>(static_cast<std::intptr_t>(
      static_cast<std::int32_t>(HKEY_LOCAL_MACHINE)));
  struct Row {
    const char* behaviour;
    std::function<void(KeyHandle key, const std::string& path)> check;
    const char* wineDiffers = nullptr;  // why the row is skipped on Wine
  };
  const Row rows[] = {
      {"a text counted without its NUL is stored with the NUL after it",
       [&](KeyHandle key, const std::string&) {
         for (std::uint32_t type : {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ}) {
           EXPECT_EQ(Put(key, "Counted", type, Bytes{'a', 'b'}), 0);
           EXPECT_EQ(Stored(key, "Counted"), (Bytes{'a', 'b', 0})) << "type " << type;
         }
       }},
      {"a text stored without a NUL reads with one after it where one fits",
       [&](KeyHandle key, const std::string&) {
         EXPECT_EQ(Put(key, "Bare", REG_SZ, Bytes{'a', 'b'}, 'x'), 0);
         Bytes data(4, 0xbd);
         std::uint32_t size = 2;
         EXPECT_EQ(api.RegQueryValueEx(key, "Bare", nullptr, data.data(), &size), 0);
         EXPECT_EQ(data, (Bytes{'a', 'b', 0xbd, 0xbd})) << "no room";
         size = 4;
         EXPECT_EQ(api.RegQueryValueEx(key, "Bare", nullptr, data.data(), &size), 0);
         EXPECT_EQ(size, 2u);
         EXPECT_EQ(data, (Bytes{'a', 'b', 0, 0xbd}));
       }},
      {"a name too long for its buffer still gives the value's type",
       [&](KeyHandle key, const std::string&) {
         EXPECT_EQ(Put(key, "Typed", registry::REG_BINARY, Bytes{1}), 0);
         char name[2];
         std::uint32_t length = sizeof name;
         std::uint32_t type = 0;
         EXPECT_EQ(api.RegEnumValue(key, 0, name, &length, &type), kMoreData);
         EXPECT_EQ(type, registry::REG_BINARY);
       }},
      {"a null name or length, or data without a size, is an invalid parameter",
       [&](KeyHandle key, const std::string&) {
         EXPECT_EQ(Put(key, "Value", registry::REG_BINARY, Bytes{1}), 0);
         char name[8];
         std::uint32_t length = sizeof name;
         EXPECT_EQ(api.RegEnumValue(key, 0, nullptr, &length, nullptr), kInvalidParameter);
         EXPECT_EQ(api.RegEnumValue(key, 0, name, nullptr, nullptr), kInvalidParameter);
         EXPECT_EQ(api.RegQueryValueEx(key, "Value", nullptr, reinterpret_cast<std::uint8_t*>(name),
                                       nullptr),
                   kInvalidParameter);
       }},
      {"a null out-handle is an invalid parameter",
       [&](KeyHandle, const std::string& path) {
         EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, KEY_READ, nullptr), kInvalidParameter);
       },
       "Wine's RegOpenKeyExA writes through the null pointer and crashes"},
      {"asking a missing value's size gives 0", [&](KeyHandle key, const std::string&) {
         std::uint32_t size = 77;
         EXPECT_EQ(api.RegQueryValueEx(key, "Missing", nullptr, nullptr, &size), kFileNotFound);
         EXPECT_EQ(size, 0u);
       }},
      {"a failed open clears the out-handle", [&](KeyHandle key, const std::string& path) {
         KeyHandle opened = key;
         EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, path + "\\Missing", KEY_READ, &opened),
                   kFileNotFound);
         EXPECT_EQ(opened, 0u);
       }},
      {"opening no subkey of a root gives the root itself", [&](KeyHandle, const std::string&) {
         KeyHandle root = 0;
         EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "", KEY_READ, &root), 0);
         EXPECT_TRUE(IsLocalMachine(root)) << std::hex << root;
         EXPECT_EQ(api.RegCloseKey(root), 0);
       }},
      {"a deleted key's handle stays deleted when the key is made again",
       [&](KeyHandle, const std::string& path) {
         const KeyHandle old = Open(KEY_READ, path + "\\Child");
         ASSERT_EQ(api.RegDeleteKey(HKEY_LOCAL_MACHINE, path + "\\Child"), 0);
         layer.CreateKey(HKEY_LOCAL_MACHINE, path + "\\Child");
         std::uint32_t size = 0;
         EXPECT_EQ(api.RegQueryValueEx(old, "Value", nullptr, nullptr, &size), kKeyDeleted);
         EXPECT_EQ(api.RegCloseKey(old), 0);
         EXPECT_EQ(api.RegCloseKey(old), kInvalidHandle) << "once closed";
       }},
      {"MAXIMUM_ALLOWED grants setting and querying", [&](KeyHandle, const std::string& path) {
         const KeyHandle most = Open(MAXIMUM_ALLOWED, path);
         EXPECT_EQ(Put(most, "Value", registry::REG_BINARY, Bytes{1}), 0);
         EXPECT_EQ(Stored(most, "Value"), Bytes{1});
         api.RegCloseKey(most);
       }},
      {"a root is known by the low 32 bits of its handle", [&](KeyHandle, const std::string& path) {
         const auto highBits = static_cast<KeyHandle>(0x1234567800000000ull);  // 0 on 32 bits
         for (KeyHandle root : {HKEY_LOCAL_MACHINE, signExtended, highBits | HKEY_LOCAL_MACHINE}) {
           KeyHandle opened = 0;
           EXPECT_EQ(api.RegOpenKeyEx(root, path, KEY_READ, &opened), 0) << std::hex << root;
           api.RegCloseKey(opened);
         }
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.behaviour);
    if (GetParam().wine && row.wineDiffers) continue;
    const std::string path = kKey + "\\" + row.behaviour;
    layer.CreateKey(HKEY_LOCAL_MACHINE, path + "\\Child");
    const KeyHandle key = Open(KEY_QUERY_VALUE | KEY_SET_VALUE, path);
    row.check(key, path);
    api.RegCloseKey(key);
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(, RegistrySeam, ::testing::ValuesIn(ContractTargets()),
                         [](const auto& target) { return target.param.name; });

}  // namespace
}  // namespace zorvanel::contract
