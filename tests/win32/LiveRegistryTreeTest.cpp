// Reading parts of the live registry into a tree, as the replay runner's
// dump prints them on Windows.

#include "platform/win32/LiveRegistryTree.h"

#include <gtest/gtest.h>

#include "platform/registry/mdlRegistry.h"
#include "platform/win32/AdvapiRegistry.h"
#include "tests/contract/ContractRegistry.h"
#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::win32 {
namespace {

using registry::HKEY_LOCAL_MACHINE;

using contract::kScratchKey;

class LiveRegistryTreeTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(boxes_.Count(), 0u); }

  static std::string Path(const std::string& below) {
    return std::string(kScratchKey) + "\\" + below;
  }
  // The scratch key in the tree read.
  static const store::Key* Scratch(const store::Key& tree) {
    const store::Key* key = &tree;
    for (const auto& part : store::SplitPath(kScratchKey)) {
      key = key ? key->FindSubkey(part) : nullptr;
    }
    return key;
  }

  std::unique_ptr<registry::RegistryApi> registry_ = contract::ContractTargets().front().open();
  contract::RecordingBoxes boxes_;
  registry::mdlRegistry layer_{*registry_, boxes_};
};

TEST_F(LiveRegistryTreeTest, ReadsARootWithItsSubtreeAndTheWayToIt) {
  layer_.CreateKey(HKEY_LOCAL_MACHINE, Path("Vendor\\Product\\Backup"));
  layer_.SetStringValue(HKEY_LOCAL_MACHINE, Path("Vendor\\Product"), "Version", "2.21f E");
  layer_.SetDwordValue(HKEY_LOCAL_MACHINE, Path("Vendor\\Product\\Backup"), "Number", 7);
  layer_.SetStringValue(HKEY_LOCAL_MACHINE, kScratchKey, "Beside", "not dumped");

  const store::Key tree = ReadLiveTree({Path("Vendor"), Path("Missing\\Key")});

  const store::Key* scratch = Scratch(tree);
  ASSERT_NE(scratch, nullptr);
  EXPECT_TRUE(scratch->values.empty()) << "a key on the way is printed without its values";
  EXPECT_EQ(scratch->subkeys.size(), 1u) << "a missing root leaves no trace";
  const store::Key* product = scratch->FindSubkey("Vendor")->FindSubkey("Product");
  ASSERT_NE(product, nullptr);
  ASSERT_EQ(product->values.size(), 1u);
  EXPECT_EQ(product->values[0].name, "Version");
  EXPECT_EQ(product->values[0].type, registry::REG_SZ);
  // Windows stores the text with the terminator it adds.
  EXPECT_EQ(product->values[0].data, (std::vector<std::uint8_t>{'2', '.', '2', '1', 'f', ' ', 'E', 0}));
  const store::Key* backup = product->FindSubkey("Backup");
  ASSERT_NE(backup, nullptr);
  EXPECT_EQ(backup->values, (std::vector<store::Value>{{"Number", registry::REG_DWORD, {7, 0, 0, 0}}}));
}

TEST_F(LiveRegistryTreeTest, NothingExistsNothingIsRead) {
  EXPECT_EQ(ReadLiveTree({Path("Missing")}), (store::Key{"HKEY_LOCAL_MACHINE", {}, {}}));
}

}  // namespace
}  // namespace zorvanel::win32
