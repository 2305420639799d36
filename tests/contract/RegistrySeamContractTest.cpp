// What the registry behind the seam does at its edges: names and paths,
// buffers that are too small, access, handles that are no longer good, and
// the limits the real registry sets. Runs on the substitute store and, in
// the Windows build, on the real registry, so that the two cannot drift
// apart unnoticed.

#include <gtest/gtest.h>

#include <cstdint>
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

constexpr std::uint32_t kRegBinary = 3;  // a type the program does not name
const std::string kKey = std::string(kScratchKey) + "\\Seam";

class RegistrySeam : public ::testing::Test {
 protected:
  void SetUp() override { layer.CreateKey(HKEY_LOCAL_MACHINE, kKey); }

  KeyHandle Open(std::uint32_t access, const std::string& path = kKey) {
    KeyHandle key = 0;
    EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, access, &key), 0) << path;
    return key;
  }

  long Put(KeyHandle key, const std::string& name, std::uint32_t type, const Bytes& data) {
    return api.RegSetValueEx(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
  }

  void PutRaw(const std::string& name, std::uint32_t type, const Bytes& data) {
    const KeyHandle key = Open(registry::KEY_SET_VALUE);
    EXPECT_EQ(Put(key, name, type, data), 0);
    api.RegCloseKey(key);
  }

  Bytes Stored(const std::string& name) {
    const KeyHandle key = Open(registry::KEY_QUERY_VALUE);
    Bytes data(64);
    auto size = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(api.RegQueryValueEx(key, name, nullptr, data.data(), &size), 0);
    api.RegCloseKey(key);
    data.resize(size);
    return data;
  }

  ContractRegistry registry = OpenContractRegistry();
  registry::RegistryApi& api = *registry.api;
  RecordingBoxes boxes;
  registry::mdlRegistry layer{api, boxes};
};

// The layer stores a text's characters only; Windows adds a terminator,
// which the layer's reader cuts off again.
TEST_F(RegistrySeam, TextsAndNumbersAreStoredAsTheirBytes) {
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, "Version", "2.21f E");
  Bytes text{'2', '.', '2', '1', 'f', ' ', 'E'};
  if (!registry.keepsTextBytesExactly) text.push_back(0);
  EXPECT_EQ(Stored("Version"), text);
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Number", static_cast<std::int32_t>(0x80000001));
  EXPECT_EQ(Stored("Number"), (Bytes{1, 0, 0, 0x80}));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(RegistrySeam, NamesIgnoreCaseAndKeepTheCaseTheyWereMadeWith) {
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
TEST_F(RegistrySeam, PathsIgnoreATrailingBackslashButNotALeadingOne) {
  EXPECT_TRUE(layer.KeyExists(HKEY_LOCAL_MACHINE, kKey + "\\"));
  EXPECT_FALSE(layer.KeyExists(HKEY_LOCAL_MACHINE, "\\" + kKey));
  KeyHandle key = 0;
  EXPECT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "\\" + kKey, registry::KEY_READ, &key),
            registry::kBadPathname);
}

// The enumerator's name buffer holds 254 characters and the terminator.
TEST_F(RegistrySeam, EnumerationReportsANameTooLongForItsBuffer) {
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

TEST_F(RegistrySeam, BuffersThatAreTooSmallGetTheSizeNeeded) {
  PutRaw("Value", kRegBinary, Bytes{1, 2, 3, 4, 5, 6});
  const KeyHandle key = Open(registry::KEY_READ);
  Bytes data(4);
  std::uint32_t size = 4;
  EXPECT_EQ(api.RegQueryValueEx(key, "Value", nullptr, data.data(), &size), registry::kMoreData);
  EXPECT_EQ(size, 6u);

  char name[6];
  std::uint32_t length = 4;
  std::uint32_t type = 0;
  EXPECT_EQ(api.RegEnumValue(key, 0, name, &length, &type), registry::kMoreData);
  length = sizeof name;
  EXPECT_EQ(api.RegEnumValue(key, 0, name, &length, &type), 0);
  EXPECT_EQ(std::string(name, length), "Value");
  EXPECT_EQ(type, kRegBinary);
  length = sizeof name;
  EXPECT_EQ(api.RegEnumValue(key, 1, name, &length, &type), registry::kNoMoreItems);
  EXPECT_EQ(api.RegCloseKey(key), 0);
}

// An EDID is read as it is stored, and the monitors' keys are found by
// enumerating subkeys, in the registry's order (sorted by name).
TEST_F(RegistrySeam, BinaryValuesAndSubkeysReadBack) {
  PutRaw("EDID", kRegBinary, Bytes{0, 0xFF, 0, 0x80});
  EXPECT_EQ(layer.GetBinaryValue(HKEY_LOCAL_MACHINE, kKey, "edid"), (Bytes{0, 0xFF, 0, 0x80}));
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\SAM0171");
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\Default_Monitor");
  EXPECT_EQ(layer.EnumKeyName(HKEY_LOCAL_MACHINE, kKey, 0), "Default_Monitor");
  EXPECT_EQ(layer.EnumKeyName(HKEY_LOCAL_MACHINE, kKey, 1), "SAM0171");
  EXPECT_EQ(layer.EnumKeyName(HKEY_LOCAL_MACHINE, kKey, 2), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(RegistrySeam, AKeyDoesOnlyWhatItWasOpenedFor) {
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

TEST_F(RegistrySeam, HandlesAreRefusedOnceClosedOrWhenTheirKeyIsGone) {
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\Gone");
  const KeyHandle key = Open(registry::KEY_READ, kKey + "\\Gone");
  ASSERT_EQ(api.RegDeleteKey(HKEY_LOCAL_MACHINE, kKey + "\\Gone"), 0);
  std::uint32_t size = 0;
  EXPECT_EQ(api.RegQueryValueEx(key, "Value", nullptr, nullptr, &size), registry::kKeyDeleted);
  EXPECT_EQ(api.RegCloseKey(key), 0);
  EXPECT_EQ(api.RegCloseKey(key), registry::kInvalidHandle);
}

TEST_F(RegistrySeam, ValueNamesLongerThanTheRegistryAllowsAreRefused) {
  const KeyHandle key = Open(registry::KEY_SET_VALUE);
  EXPECT_EQ(Put(key, std::string(16383, 'v'), kRegBinary, Bytes{1}), 0);
  EXPECT_EQ(Put(key, std::string(16384, 'v'), kRegBinary, Bytes{1}), registry::kInvalidParameter);
  api.RegCloseKey(key);
  EXPECT_TRUE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey, std::string(16383, 'v')));
  EXPECT_FALSE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey, std::string(16384, 'v')));
}

}  // namespace
}  // namespace zorvanel::contract
