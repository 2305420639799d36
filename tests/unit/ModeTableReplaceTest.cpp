// ReplaceModeValues on one key: which values count as mode values, what
// they become, and what is left alone.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modes/WriteModeTable.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::modes {
namespace {

using store::Value;

constexpr const char* kTable = "S 640x480=1FF0;";

class CountingBoxes : public ui::MessageBoxes {
 public:
  ui::Answer MessageBox(std::string_view, ui::Buttons, ui::Icon, std::string_view) override {
    ++shown;
    return ui::Answer::OK;
  }
  int shown = 0;
};

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The values of HKLM\Key after ReplaceModeValues, with the boxes it showed.
struct Outcome {
  std::vector<Value> values;
  int boxes;
};

Outcome Replace(const std::string& keyLines) {
  store::SubstituteStore store(
      store::ParseRegFile("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Key]\n" + keyLines, "case.reg"));
  CountingBoxes boxes;
  registry::mdlRegistry registry(store, boxes);
  ReplaceModeValues(registry, "Key", kTable);
  const store::Key* key = store.Root().FindSubkey("Key");
  return {key ? key->values : std::vector<Value>{}, boxes.shown};
}

Value Text(const std::string& name, std::string_view data) {
  return {name, registry::REG_SZ, Bytes(std::string(data) + '\0')};
}
// The table as the layer writes it: the registry stores the NUL after it too.
Value Written(const std::string& name) { return Text(name, kTable); }

TEST(ModeTableReplace, OnlyTextValuesWithAModeValueNameReceiveTheTable) {
  struct Case {
    const char* name;
    std::string lines;
    std::vector<Value> after;
  };
  const std::vector<Case> cases = {
      {"NV_Modes and a _Modes_Delta value, among others, keep their places",
       "\"Other\"=\"x\"\n\"NV_Modes\"=\"old\"\n\"Monitor0_Modes_Delta\"=\"old\"\n"
       "\"Last\"=\"y\"\n",
       {Text("Other", "x"), Written("NV_Modes"), Written("Monitor0_Modes_Delta"),
        Text("Last", "y")}},
      {"a DWORD named NV_Modes is not a text and stays", "\"NV_Modes\"=dword:00000001\n",
       {{"NV_Modes", registry::REG_DWORD, {1, 0, 0, 0}}}},
      {"a DWORD _Modes_Delta stays", "\"Monitor0_Modes_Delta\"=dword:00000002\n",
       {{"Monitor0_Modes_Delta", registry::REG_DWORD, {2, 0, 0, 0}}}},
      {"names compare with case", "\"nv_modes\"=\"old\"\n\"Monitor0_modes_delta\"=\"old\"\n",
       {Text("nv_modes", "old"), Text("Monitor0_modes_delta", "old")}},
      {"a multi-string NV_Modes becomes a plain text",
       "\"NV_Modes\"=hex(7):61,00,62,00,00\n", {Written("NV_Modes")}},
      {"the bare suffix is a mode value; a shorter name is not",
       "\"_Modes_Delta\"=\"old\"\n\"Modes_Delta\"=\"old\"\n\"NV_Modes_\"=\"old\"\n",
       {Written("_Modes_Delta"), Text("Modes_Delta", "old"), Text("NV_Modes_", "old")}},
      {"a key without mode values is left alone", "\"Other\"=\"x\"\n", {Text("Other", "x")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = Replace(c.lines);
    EXPECT_EQ(outcome.values, c.after);
    EXPECT_EQ(outcome.boxes, 0);
  }
}

TEST(ModeTableReplace, AMissingKeyCostsOneRegistryErrorAndIsNotMade) {
  store::SubstituteStore store;
  CountingBoxes boxes;
  registry::mdlRegistry registry(store, boxes);
  ReplaceModeValues(registry, "SYSTEM\\Missing", kTable);
  EXPECT_EQ(boxes.shown, 1);
  EXPECT_TRUE(store.Root().subkeys.empty());
}

}  // namespace
}  // namespace zorvanel::modes
