// What the program relies on of the registry layer and of whatever registry
// stands behind the seam, as one table of behaviours. Runs on the substitute
// store, on hive files and, in the Windows build, on the real registry, so
// that they cannot drift apart unnoticed. Each row runs on a key of its own,
// given by path and opened to query and set values, and says how many error
// boxes the layer shows meanwhile.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/registry/mdlRegistry.h"
#include "tests/contract/ContractRegistry.h"
#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::contract {
namespace {

using namespace registry;
using Bytes = std::vector<std::uint8_t>;
constexpr KeyHandle HKLM = HKEY_LOCAL_MACHINE;
using Path = const std::string&;

struct Row {
  const char* behaviour;  // also the name of the row's key
  std::size_t boxes;
  std::function<void(Path path, KeyHandle key)> check;
  const char* wineDiffers = nullptr;  // why the row is skipped on Wine
};

class RegistryContract : public ::testing::TestWithParam<ContractTarget> {
 protected:
  void Run(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.behaviour);
      if (GetParam().wine && row.wineDiffers) continue;
      const std::string path = std::string(kScratchKey) + "\\" + row.behaviour;
      layer.CreateKey(HKLM, path);
      const KeyHandle key = Open(path);
      const std::size_t before = boxes.Count();
      row.check(path, key);
      EXPECT_EQ(api.RegCloseKey(key), kSuccess);
      EXPECT_EQ(boxes.Count() - before, row.boxes) << "error boxes";
    }
  }

  KeyHandle Open(const std::string& path, std::uint32_t access = KEY_QUERY_VALUE | KEY_SET_VALUE) {
    KeyHandle key = 0;
    EXPECT_EQ(api.RegOpenKeyEx(HKLM, path, access, &key), kSuccess) << path;
    return key;
  }
  // Raw bytes through the seam, as another program or an import stores them.
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
    EXPECT_EQ(api.RegQueryValueEx(key, name, nullptr, data.data(), &size), kSuccess) << name;
    data.resize(size);
    return data;
  }
  std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
      std::string name = layer.EnumValueName(HKLM, path, i);
      if (name.empty()) return names;
      names.push_back(name);
    }
  }

  std::unique_ptr<RegistryApi> target = GetParam().open();
  RegistryApi& api = *target;
  RecordingBoxes boxes;
  mdlRegistry layer{api, boxes};
};

TEST_P(RegistryContract, TheLayerReadsAndWritesValuesAndKeys) {
  Run({
      {"a text is stored with a NUL after it and read up to its first NUL", 0,
       [&](Path path, KeyHandle key) {
         layer.SetStringValue(HKLM, path, "Written", "2.21f E");
         EXPECT_EQ(Stored(key, "Written"), (Bytes{'2', '.', '2', '1', 'f', ' ', 'E', 0}));
         EXPECT_EQ(layer.GetStringValue(HKLM, path, "Written"), "2.21f E");
         const std::tuple<std::uint32_t, Bytes, const char*> texts[] = {
             {REG_SZ, {'a', 'b', 'c', 0}, "abc"},
             {REG_SZ, {'a', 'b', 0, 'c', 'd'}, "ab"},
             {REG_SZ, {}, ""},
             {REG_MULTI_SZ, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}, "one"}};
         for (const auto& [type, stored, read] : texts) {
           EXPECT_EQ(Put(key, "Raw", type, stored), kSuccess);
           EXPECT_EQ(layer.GetStringValue(HKLM, path, "Raw"), read);
         }
       }},
      {"a number is stored as four bytes, the lowest first", 0,
       [&](Path path, KeyHandle key) {
         for (std::int32_t number : {1, -2, static_cast<std::int32_t>(0x80000001)}) {
           layer.SetDwordValue(HKLM, path, "Number", number);
           EXPECT_EQ(layer.GetDwordValue(HKLM, path, "Number"), number);
         }
         EXPECT_EQ(Stored(key, "Number"), (Bytes{1, 0, 0, 0x80}));
       }},
      {"a number read from longer data is an error", 1,
       [&](Path path, KeyHandle) {
         layer.SetStringValue(HKLM, path, "Text", "longer than four");
         EXPECT_EQ(layer.GetDwordValue(HKLM, path, "Text"), 0);
       }},
      {"binary data reads as stored, subkeys enumerate by name", 0,
       [&](Path path, KeyHandle key) {
         EXPECT_EQ(Put(key, "EDID", REG_BINARY, {0, 0xFF, 0, 0x80}), kSuccess);
         EXPECT_EQ(layer.GetBinaryValue(HKLM, path, "edid"), (Bytes{0, 0xFF, 0, 0x80}));
         layer.CreateKey(HKLM, path + "\\SAM0171");
         layer.CreateKey(HKLM, path + "\\Default_Monitor");
         EXPECT_EQ(layer.EnumKeyName(HKLM, path, 0), "Default_Monitor");
         EXPECT_EQ(layer.EnumKeyName(HKLM, path, 1), "SAM0171");
         EXPECT_EQ(layer.EnumKeyName(HKLM, path, 2), "");
       }},
      {"a raw value reads and writes back its type and bytes, a text without its NUL too", 0,
       [&](Path path, KeyHandle key) {
         const std::tuple<std::uint32_t, Bytes> values[] = {
             {REG_SZ, {'a', 'b', 'c'}},
             {REG_SZ, {'a', 'b', 'c', 0}},
             {REG_MULTI_SZ, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}},
             {REG_DWORD, {1, 0, 0, 0}}};
         for (const auto& [type, bytes] : values) {
           EXPECT_EQ(Put(key, "Raw", type, bytes, 'x'), kSuccess);
           const auto raw = layer.GetRawValue(HKLM, path, "Raw");
           EXPECT_EQ(raw, (RawValue{type, bytes}));
           if (raw) layer.SetRawValue(HKLM, path, "Copy", *raw);
           EXPECT_EQ(layer.GetRawValue(HKLM, path, "Copy"), raw);
           EXPECT_EQ(Stored(key, "Copy"), bytes);
         }
       }},
      {"a missing value or key is an error each time, reads as nothing and no writer makes it", 8,
       [&](Path path, KeyHandle) {
         const std::string missing = path + "\\Nowhere";
         EXPECT_EQ(layer.GetStringValue(HKLM, path, "Missing"), "");
         EXPECT_EQ(layer.GetDwordValue(HKLM, path, "Missing"), 0);
         EXPECT_EQ(layer.GetStringValue(HKLM, missing, "x"), "");
         EXPECT_EQ(layer.EnumValueName(HKLM, missing, 0), "");
         EXPECT_FALSE(layer.ValueExists(HKLM, missing, "x"));
         layer.DeleteKey(HKLM, missing);
         layer.SetStringValue(HKLM, missing, "NV_Modes", "S");
         layer.SetDwordValue(HKLM, missing, "UseCompressedModeFormat", 1);
         EXPECT_FALSE(layer.KeyExists(HKLM, missing));
         ASSERT_FALSE(boxes.texts.empty());
         EXPECT_EQ(boxes.titles.back(), "Error");
         EXPECT_EQ(boxes.texts.back(), "Unknown Registry-error occured.");
       }},
      {"asking whether a key or value exists shows no box for a missing one", 0,
       [&](Path path, KeyHandle) {
         EXPECT_TRUE(layer.KeyExists(HKLM, path + "\\"));
         EXPECT_FALSE(layer.KeyExists(HKLM, path + "\\Nowhere"));
         EXPECT_FALSE(layer.ValueExists(HKLM, path, "Switch"));
         layer.SetDwordValue(HKLM, path, "Switch", 0);
         EXPECT_TRUE(layer.ValueExists(HKLM, path, "Switch"));
       }},
      {"names ignore case and keep the case they were made with", 0,
       [&](Path path, KeyHandle) {
         layer.CreateKey(HKLM, path + "\\MixedCase");
         EXPECT_TRUE(layer.KeyExists(HKLM, path + "\\MIXEDCASE"));
         layer.SetStringValue(HKLM, path + "\\mixedcase", "DriverVersion", "6.14.10.4523");
         layer.SetStringValue(HKLM, path + "\\MixedCase", "DRIVERVERSION", "6.14.10.5216");
         EXPECT_EQ(layer.GetStringValue(HKLM, path + "\\MIXEDcase", "driverversion"),
                   "6.14.10.5216");
         EXPECT_EQ(Names(path + "\\MixedCase"), std::vector<std::string>{"DriverVersion"});
       }},
      {"enumeration names texts, marks other types and ends silently", 0,
       [&](Path path, KeyHandle key) {
         layer.SetStringValue(HKLM, path, "NV_Modes", "S");
         layer.SetDwordValue(HKLM, path, "UseCompressedModeFormat", 1);
         EXPECT_EQ(Put(key, "Monitor0_Modes_Delta", REG_MULTI_SZ, {'a', 0, 0}), kSuccess);
         auto names = Names(path);
         std::sort(names.begin(), names.end());  // the real registry may order by name
         EXPECT_EQ(names, (std::vector<std::string>{"ERROR_NON_REG_SZ", "Monitor0_Modes_Delta",
                                                    "NV_Modes"}));
       }},
      {"a value written again keeps its place in the enumeration", 0,
       [&](Path path, KeyHandle) {
         for (const char* name : {"A_Modes_Delta", "NV_Modes", "Z_Modes_Delta"}) {
           layer.SetStringValue(HKLM, path, name, "old");
         }
         const auto before = Names(path);
         for (const auto& name : before) layer.SetStringValue(HKLM, path, name, "new");
         EXPECT_EQ(Names(path), before);
         for (const auto& name : before) EXPECT_EQ(layer.GetStringValue(HKLM, path, name), "new");
         layer.SetDwordValue(HKLM, path, "NV_Modes", 7);  // a new type, same place
         const auto at = std::find(before.begin(), before.end(), "NV_Modes") - before.begin();
         EXPECT_EQ(Names(path).at(static_cast<std::size_t>(at)), "ERROR_NON_REG_SZ");
       }},
      {"keys are made with their parents and deleted with their values", 0,
       [&](Path path, KeyHandle) {
         const std::string deep = path + "\\New\\Parents\\Leaf";
         layer.CreateKey(HKLM, deep);
         layer.SetStringValue(HKLM, deep, "Value", "kept");
         layer.CreateKey(HKLM, deep);  // exists already: unchanged
         EXPECT_EQ(layer.GetStringValue(HKLM, deep, "Value"), "kept");
         layer.DeleteKey(HKLM, deep);
         EXPECT_FALSE(layer.KeyExists(HKLM, deep));
         EXPECT_TRUE(layer.KeyExists(HKLM, path + "\\New\\Parents"));
         layer.CreateKey(HKLM, deep);
         EXPECT_FALSE(layer.ValueExists(HKLM, deep, "Value"));
       }},
      {"a key with subkeys cannot be deleted", 1,
       [&](Path path, KeyHandle) {
         layer.CreateKey(HKLM, path + "\\Child");
         layer.DeleteKey(HKLM, path);
         EXPECT_TRUE(layer.KeyExists(HKLM, path + "\\Child"));
       }},
      // Detection walks "...\Enum\" with the backslash still on.
      {"a path may end in a backslash but not begin with one", 0,
       [&](Path path, KeyHandle) {
         EXPECT_FALSE(layer.KeyExists(HKLM, "\\" + path));
         KeyHandle opened = 0;
         EXPECT_EQ(api.RegOpenKeyEx(HKLM, "\\" + path, KEY_READ, &opened), kBadPathname);
       }},
      // The enumerator's name buffer holds 254 characters and the terminator.
      {"a value name too long for the enumerator's buffer is an error", 1,
       [&](Path path, KeyHandle key) {
         EXPECT_EQ(Put(key, std::string(254, 'n'), REG_SZ, {'x'}), kSuccess);
         EXPECT_EQ(Put(key, std::string(255, 'n'), REG_SZ, {'x'}), kSuccess);
         EXPECT_EQ(layer.EnumValueName(HKLM, path, 0), std::string(254, 'n'));
         EXPECT_EQ(layer.EnumValueName(HKLM, path, 1), "");
       }},
  });
}

// Behaviours of Windows NT that a caller may meet at the seam's edges.
TEST_P(RegistryContract, TheSeamBehavesAsWindowsNtAtItsEdges) {
  Run({
      {"a buffer too small gets the size needed", 0,
       [&](Path, KeyHandle key) {
         EXPECT_EQ(Put(key, "Value", REG_BINARY, {1, 2, 3, 4, 5, 6}), kSuccess);
         Bytes data(4);
         std::uint32_t size = 4;
         EXPECT_EQ(api.RegQueryValueEx(key, "Value", nullptr, data.data(), &size), kMoreData);
         EXPECT_EQ(size, 6u);
         char name[6];
         std::uint32_t length = sizeof name;
         std::uint32_t type = 0;
         EXPECT_EQ(api.RegEnumValue(key, 0, name, &length, &type), kSuccess);
         EXPECT_EQ(std::string(name, length), "Value");
         EXPECT_EQ(type, REG_BINARY);
         length = sizeof name;
         EXPECT_EQ(api.RegEnumValue(key, 1, name, &length, &type), kNoMoreItems);
         length = 2;
         type = 0;
         EXPECT_EQ(api.RegEnumValue(key, 0, name, &length, &type), kMoreData);
         EXPECT_EQ(type, REG_BINARY) << "a name too long for its buffer still gives the type";
       }},
      {"a key does only what it was opened for", 0,
       [&](Path path, KeyHandle) {
         layer.SetStringValue(HKLM, path, "Value", "text");
         const KeyHandle queryOnly = Open(path, KEY_QUERY_VALUE);
         EXPECT_EQ(Put(queryOnly, "Value", REG_SZ, {'x'}), kAccessDenied);
         api.RegCloseKey(queryOnly);
         const KeyHandle setOnly = Open(path, KEY_SET_VALUE);
         std::uint32_t size = 0;
         EXPECT_EQ(api.RegQueryValueEx(setOnly, "Value", nullptr, nullptr, &size), kAccessDenied);
         api.RegCloseKey(setOnly);
         EXPECT_EQ(layer.GetStringValue(HKLM, path, "Value"), "text");
         const KeyHandle most = Open(path, MAXIMUM_ALLOWED);  // grants setting and querying
         EXPECT_EQ(Put(most, "Value", REG_BINARY, {1}), kSuccess);
         EXPECT_EQ(Stored(most, "Value"), Bytes{1});
         api.RegCloseKey(most);
       }},
      {"a value name longer than the registry allows is refused", 1,
       [&](Path path, KeyHandle key) {
         EXPECT_EQ(Put(key, std::string(16383, 'v'), REG_BINARY, {1}), kSuccess);
         EXPECT_EQ(Put(key, std::string(16384, 'v'), REG_BINARY, {1}), kInvalidParameter);
         layer.SetDwordValue(HKLM, path, std::string(16384, 'v'), 1);  // a failed write is an error
         EXPECT_TRUE(layer.ValueExists(HKLM, path, std::string(16383, 'v')));
         EXPECT_FALSE(layer.ValueExists(HKLM, path, std::string(16384, 'v')));
       }},
      {"a text counted without its NUL is stored with the NUL after it", 0,
       [&](Path, KeyHandle key) {
         for (std::uint32_t type : {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ}) {
           EXPECT_EQ(Put(key, "Counted", type, {'a', 'b'}), kSuccess);
           EXPECT_EQ(Stored(key, "Counted"), (Bytes{'a', 'b', 0})) << "type " << type;
         }
       }},
      {"a text stored without a NUL reads with one after it where one fits", 0,
       [&](Path, KeyHandle key) {
         EXPECT_EQ(Put(key, "Bare", REG_SZ, {'a', 'b'}, 'x'), kSuccess);
         Bytes data(4, 0xbd);
         std::uint32_t size = 2;
         EXPECT_EQ(api.RegQueryValueEx(key, "Bare", nullptr, data.data(), &size), kSuccess);
         EXPECT_EQ(data, (Bytes{'a', 'b', 0xbd, 0xbd})) << "no room";
         size = 4;
         EXPECT_EQ(api.RegQueryValueEx(key, "Bare", nullptr, data.data(), &size), kSuccess);
         EXPECT_EQ(size, 2u);
         EXPECT_EQ(data, (Bytes{'a', 'b', 0, 0xbd}));
       }},
      {"a null name or length, or data without a size, is an invalid parameter", 0,
       [&](Path, KeyHandle key) {
         Put(key, "Value", REG_BINARY, {1});
         char name[8];
         std::uint32_t length = sizeof name;
         EXPECT_EQ(api.RegEnumValue(key, 0, nullptr, &length, nullptr), kInvalidParameter);
         EXPECT_EQ(api.RegEnumValue(key, 0, name, nullptr, nullptr), kInvalidParameter);
         EXPECT_EQ(api.RegQueryValueEx(key, "Value", nullptr, reinterpret_cast<std::uint8_t*>(name),
                                       nullptr),
                   kInvalidParameter);
       }},
      {"a null out-handle is an invalid parameter", 0,
       [&](Path path, KeyHandle) {
         EXPECT_EQ(api.RegOpenKeyEx(HKLM, path, KEY_READ, nullptr), kInvalidParameter);
       },
       "Wine's RegOpenKeyExA writes through the null pointer and crashes"},
      {"a failed open clears the out-handle, a missing value's size is 0", 0,
       [&](Path path, KeyHandle key) {
         KeyHandle opened = 1;
         EXPECT_EQ(api.RegOpenKeyEx(HKLM, path + "\\Missing", KEY_READ, &opened), kFileNotFound);
         EXPECT_EQ(opened, 0u);
         std::uint32_t size = 77;
         EXPECT_EQ(api.RegQueryValueEx(key, "Missing", nullptr, nullptr, &size), kFileNotFound);
         EXPECT_EQ(size, 0u);
       }},
      {"a deleted key's handle stays deleted when the key is made again", 0,
       [&](Path path, KeyHandle) {
         layer.CreateKey(HKLM, path + "\\Child");
         const KeyHandle old = Open(path + "\\Child", KEY_READ);
         ASSERT_EQ(api.RegDeleteKey(HKLM, path + "\\Child"), kSuccess);
         layer.CreateKey(HKLM, path + "\\Child");
         std::uint32_t size = 0;
         EXPECT_EQ(api.RegQueryValueEx(old, "Value", nullptr, nullptr, &size), kKeyDeleted);
         EXPECT_EQ(api.RegCloseKey(old), kSuccess);
         EXPECT_EQ(api.RegCloseKey(old), kInvalidHandle) << "once closed";
       }},
      {"a root is known by the low 32 bits of its handle, and opening no subkey gives it", 0,
       [&](Path path, KeyHandle) {
         KeyHandle root = 0;
         EXPECT_EQ(api.RegOpenKeyEx(HKLM, "", KEY_READ, &root), kSuccess);
         EXPECT_TRUE(IsLocalMachine(root)) << std::hex << root;
         EXPECT_EQ(api.RegCloseKey(root), kSuccess);
         const auto signExtended = static_cast<KeyHandle>(
             static_cast<std::intptr_t>(static_cast<std::int32_t>(HKLM)));
         const auto highBits = static_cast<KeyHandle>(0x1234567800000000ull);  // 0 on 32 bits
         for (KeyHandle given : {HKLM, signExtended, highBits | HKLM}) {
           EXPECT_EQ(api.RegOpenKeyEx(given, path, KEY_READ, &root), kSuccess) << std::hex << given;
           api.RegCloseKey(root);
         }
       }},
  });
}

INSTANTIATE_TEST_SUITE_P(, RegistryContract, ::testing::ValuesIn(ContractTargets()),
                         [](const auto& target) { return target.param.name; });

}  // namespace
}  // namespace zorvanel::contract
