// What the program relies on of the registry layer and of whatever registry
// stands behind it. Runs on the substitute store and, in the Windows build,
// on the real registry.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry/mdlRegistry.h"
#include "tests/contract/ContractRegistry.h"
#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::contract {
namespace {

using registry::HKEY_LOCAL_MACHINE;
using registry::KeyHandle;

const std::string kKey = std::string(kScratchKey) + "\\Device0";

class RegistryLayer : public ::testing::TestWithParam<ContractTarget> {
 protected:
  void SetUp() override { layer.CreateKey(HKEY_LOCAL_MACHINE, kKey); }

  // Stores raw bytes through the seam, as another program or an import would.
  void PutRaw(const std::string& name, std::uint32_t type, const std::string& bytes) {
    KeyHandle key = 0;
    ASSERT_EQ(api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, registry::KEY_SET_VALUE, &key), 0);
    ASSERT_EQ(api.RegSetValueEx(key, name, type,
                                reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                static_cast<std::uint32_t>(bytes.size())),
              0);
    api.RegCloseKey(key);
  }

  std::uint32_t StoredSize(const std::string& name) {
    KeyHandle key = 0;
    std::uint32_t size = 0;
    api.RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, registry::KEY_QUERY_VALUE, &key);
    api.RegQueryValueEx(key, name, nullptr, nullptr, &size);
    api.RegCloseKey(key);
    return size;
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
      std::string name = layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey, i);
      if (name.empty()) return names;
      names.push_back(name);
    }
  }

  std::unique_ptr<registry::RegistryApi> registry = GetParam().open();
  registry::RegistryApi& api = *registry;
  RecordingBoxes boxes;
  registry::mdlRegistry layer{api, boxes};
};

TEST_P(RegistryLayer, TextsReadBackAsWrittenAndCutAtTheFirstNul) {
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, "Written", "S 640x480=1FF0;");
  EXPECT_EQ(StoredSize("Written"), 16u) << "the NUL after the characters is stored too";
  PutRaw("Terminated", registry::REG_SZ, std::string("abc\0", 4));
  PutRaw("Embedded", registry::REG_SZ, std::string("ab\0cd", 5));
  PutRaw("Empty", registry::REG_SZ, "");
  PutRaw("Multi", registry::REG_MULTI_SZ, std::string("one\0two\0\0", 9));

  const std::pair<const char*, const char*> cases[] = {
      {"Written", "S 640x480=1FF0;"}, {"Terminated", "abc"}, {"Embedded", "ab"},
      {"Empty", ""},                  {"Multi", "one"},
  };
  for (auto [name, expected] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, kKey, name), expected);
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_P(RegistryLayer, MissingValuesAndKeysReportOnceAndYieldNeutralResults) {
  EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, kKey, "Missing"), "");
  EXPECT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(layer.GetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Missing"), 0);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, kKey + "\\Nowhere", "x"), "");
  EXPECT_EQ(boxes.Count(), 3u);
  EXPECT_EQ(layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey + "\\Nowhere", 0), "");
  EXPECT_EQ(boxes.Count(), 4u);
  layer.DeleteKey(HKEY_LOCAL_MACHINE, kKey + "\\Nowhere");
  EXPECT_EQ(boxes.Count(), 5u);
  for (const auto& title : boxes.titles) EXPECT_EQ(title, "Error");
  EXPECT_EQ(boxes.texts.front(), "Unknown Registry-error occured.");
}

TEST_P(RegistryLayer, DwordsRoundTripAndLongDataIsAnError) {
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Switch", 1);
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Negative", -2);
  EXPECT_EQ(layer.GetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Switch"), 1);
  EXPECT_EQ(layer.GetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Negative"), -2);
  EXPECT_EQ(boxes.Count(), 0u);
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, "Text", "longer than four");
  EXPECT_EQ(layer.GetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Text"), 0);
  EXPECT_EQ(boxes.Count(), 1u);
}

TEST_P(RegistryLayer, ExistenceTests) {
  EXPECT_TRUE(layer.KeyExists(HKEY_LOCAL_MACHINE, kKey));
  EXPECT_FALSE(layer.KeyExists(HKEY_LOCAL_MACHINE, kKey + "\\Nowhere"));
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "Switch", 0);
  EXPECT_TRUE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey, "Switch"));
  EXPECT_FALSE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey, "Missing"));
  EXPECT_EQ(boxes.Count(), 0u) << "neither a missing key nor a missing value is reported here";
  EXPECT_FALSE(layer.ValueExists(HKEY_LOCAL_MACHINE, kKey + "\\Nowhere", "Switch"));
  EXPECT_EQ(boxes.Count(), 1u) << "a key that cannot be opened is";
}

TEST_P(RegistryLayer, EnumerationNamesTextsMarksOthersAndEndsSilently) {
  layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, "NV_Modes", "S");
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "UseCompressedModeFormat", 1);
  PutRaw("Monitor0_Modes_Delta", registry::REG_MULTI_SZ, std::string("a\0\0", 3));
  auto names = Names();
  std::sort(names.begin(), names.end());  // the real registry may order by name
  EXPECT_EQ(names, (std::vector<std::string>{"ERROR_NON_REG_SZ", "Monitor0_Modes_Delta",
                                             "NV_Modes"}));
  EXPECT_EQ(layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey, 3), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_P(RegistryLayer, ReplacingAValueKeepsItsPlaceInTheEnumeration) {
  for (const char* name : {"A_Modes_Delta", "NV_Modes", "Z_Modes_Delta"}) {
    layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, name, "old");
  }
  const auto before = Names();
  for (std::uint32_t i = 0; i < before.size(); ++i) {
    const std::string name = layer.EnumValueName(HKEY_LOCAL_MACHINE, kKey, i);
    layer.SetStringValue(HKEY_LOCAL_MACHINE, kKey, name, "new");
  }
  EXPECT_EQ(Names(), before);
  for (const auto& name : before) {
    EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, kKey, name), "new");
  }
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "NV_Modes", 7);  // a new type, same place
  auto after = Names();
  EXPECT_EQ(std::find(after.begin(), after.end(), "NV_Modes"), after.end());
  EXPECT_EQ(after.size(), before.size());
}

TEST_P(RegistryLayer, KeysAreCreatedWithParentsAndDeletedWithTheirValues) {
  const std::string deep = std::string(kScratchKey) + "\\New\\Parents\\Leaf";
  layer.CreateKey(HKEY_LOCAL_MACHINE, deep);
  EXPECT_TRUE(layer.KeyExists(HKEY_LOCAL_MACHINE, deep));
  layer.SetStringValue(HKEY_LOCAL_MACHINE, deep, "Value", "kept");
  layer.CreateKey(HKEY_LOCAL_MACHINE, deep);  // exists already: unchanged
  EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, deep, "Value"), "kept");
  layer.DeleteKey(HKEY_LOCAL_MACHINE, deep);
  EXPECT_FALSE(layer.KeyExists(HKEY_LOCAL_MACHINE, deep));
  layer.CreateKey(HKEY_LOCAL_MACHINE, deep);
  EXPECT_FALSE(layer.ValueExists(HKEY_LOCAL_MACHINE, deep, "Value"));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_P(RegistryLayer, WritersNeverCreateKeys) {
  const std::string missing = kKey + "\\Missing";
  layer.SetStringValue(HKEY_LOCAL_MACHINE, missing, "NV_Modes", "S");
  EXPECT_EQ(boxes.Count(), 1u);
  layer.SetDwordValue(HKEY_LOCAL_MACHINE, missing, "UseCompressedModeFormat", 1);
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_FALSE(layer.KeyExists(HKEY_LOCAL_MACHINE, missing));
}

TEST_P(RegistryLayer, AKeyWithSubkeysCannotBeDeleted) {
  layer.CreateKey(HKEY_LOCAL_MACHINE, kKey + "\\Child");
  layer.DeleteKey(HKEY_LOCAL_MACHINE, kKey);
  EXPECT_EQ(boxes.Count(), 1u);
  EXPECT_TRUE(layer.KeyExists(HKEY_LOCAL_MACHINE, kKey + "\\Child"));
}

INSTANTIATE_TEST_SUITE_P(, RegistryLayer, ::testing::ValuesIn(ContractTargets()),
                         [](const auto& target) { return target.param.name; });

}  // namespace
}  // namespace zorvanel::contract
