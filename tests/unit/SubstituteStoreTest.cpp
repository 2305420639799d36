// The substitute store's own promises, beyond what the shared contract asks:
// path rules, handles, write-through, and the fault hook the sweeps rely on.

#include <gtest/gtest.h>

#include "platform/registry/FaultInjection.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/store/SubstituteStore.h"
#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::store {
namespace {

using namespace registry;

class Store : public ::testing::Test {
 protected:
  long Open(const std::string& path, std::uint32_t access = KEY_READ | KEY_SET_VALUE) {
    KeyHandle key = 0;
    const long code = store.RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, access, &key);
    if (code == kSuccess) opened.push_back(key);
    return code;
  }
  KeyHandle Created(const std::string& path) {
    KeyHandle key = 0;
    EXPECT_EQ(store.RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, KEY_READ | KEY_SET_VALUE, &key), 0);
    opened.push_back(key);
    return key;
  }
  void TearDown() override {
    for (KeyHandle key : opened) store.RegCloseKey(key);
    EXPECT_EQ(store.OpenHandleCount(), 0u);
  }

  SubstituteStore store;
  std::vector<KeyHandle> opened;
};

// Beyond the contract's path rules (case, a trailing backslash, a leading
// one): a doubled backslash, a root outside the store, a key's first spelling.
TEST_F(Store, PathsFollowTheRealRegistrysRules) {
  Created("SYSTEM\\CurrentControlSet\\Enum");
  EXPECT_EQ(Open("SYSTEM\\\\CurrentControlSet\\Enum"), kSuccess) << "doubled backslash";
  EXPECT_EQ(Open("SYSTEM\\Missing"), kFileNotFound);
  KeyHandle key = 0;
  EXPECT_EQ(store.RegOpenKeyEx(0x80000001u, "SYSTEM", KEY_READ, &key), kInvalidHandle)
      << "HKEY_CURRENT_USER is not part of the store";
  Created("system\\CURRENTCONTROLSET\\Enum\\PCI");
  ASSERT_EQ(store.Root().subkeys.size(), 1u);
  EXPECT_EQ(store.Root().subkeys[0].name, "SYSTEM") << "the first spelling stays";
}

// Each change is saved as it is made. (A failed save undoing the change is
// shown by the robust tests on a real store file.)
TEST_F(Store, EveryChangeIsSaved) {
  std::vector<Key> saved;
  store.PersistWith([&](const Key& root) {
    saved.push_back(root);
    return true;
  });
  KeyHandle key = Created("Product\\Backup");
  ASSERT_EQ(saved.size(), 1u);
  const std::uint8_t text[] = {'a', 'b', 0};
  EXPECT_EQ(store.RegSetValueEx(key, "NV_Modes", REG_SZ, text, 2), kSuccess);
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved.back(), store.Root());
}

// The layer reports each failing call once and still closes what it opened.
TEST(FaultHook, FailingSetOrCloseReportsOnceAndTheCallerGoesOn) {
  SubstituteStore store;
  FaultInjector faults(store);
  contract::RecordingBoxes boxes;
  mdlRegistry layer(faults, boxes);
  layer.CreateKey(HKEY_LOCAL_MACHINE, "K");

  faults.Add({RegistryCall::RegSetValueEx, 1, kAccessDenied});
  layer.SetStringValue(HKEY_LOCAL_MACHINE, "K", "First", "lost");
  EXPECT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(store.OpenHandleCount(), 0u) << "the key is closed after a failed set";

  faults.Add({RegistryCall::RegCloseKey, 3, kInvalidHandle});
  layer.SetStringValue(HKEY_LOCAL_MACHINE, "K", "Second", "kept");
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(store.OpenHandleCount(), 0u);

  EXPECT_FALSE(layer.ValueExists(HKEY_LOCAL_MACHINE, "K", "First"));
  EXPECT_EQ(layer.GetStringValue(HKEY_LOCAL_MACHINE, "K", "Second"), "kept");
  EXPECT_EQ(boxes.Count(), 2u);
}

TEST(FaultHook, ParsesTheReplayNotation) {
  auto fault = ParseFault("RegQueryValueEx:2:234");
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->call, RegistryCall::RegQueryValueEx);
  EXPECT_EQ(fault->nth, 2u);
  EXPECT_EQ(fault->code, 234);
  for (const char* bad : {"RegQueryValueEx:0:5", "RegQuery:1:5", "RegOpenKeyEx:1", "x:y:z",
                          "RegOpenKeyEx:1:5:6", ""}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ParseFault(bad));
  }
}

}  // namespace
}  // namespace zorvanel::store
