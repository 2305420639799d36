#include "replay/LiveDumpScope.h"

#include <gtest/gtest.h>

#include "platform/store/RegFile.h"

namespace zorvanel::replay {
namespace {

// The keys a store file holds are those with values and those listed
// without subkeys; the keys on the way to them are not held, so a live dump
// does not print everything else the live registry has beside them.
TEST(LiveDumpScope, RootsAreTheVendorAndRunOnceKeysAndTheKeysTheStoreHolds) {
  const store::Key storeFile = store::ParseRegFile(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv]\r\n"
      "\"Start\"=dword:00000001\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv\\Device0]\r\n"
      "\"NV_Modes\"=\"x\"\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Video\\{GUID}\\0000]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\r\n"
      "\"Version\"=\"2.21f E\"\r\n",
      "store.reg");
  EXPECT_EQ(LiveDumpRoots(storeFile),
            (std::vector<std::string>{"SOFTWARE\\Dravenlock",
                                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                      "SYSTEM\\CurrentControlSet\\Services\\nv",
                                      "SYSTEM\\CurrentControlSet\\Control\\Video\\{GUID}\\0000",
                                      "SOFTWARE\\Dravenlock\\Zorvanel"}));
}

TEST(LiveDumpScope, AnEmptyStoreHoldsNothingButTheVendorAndRunOnceKeysAreAlwaysDumped) {
  EXPECT_EQ(LiveDumpRoots(store::Key{"HKEY_LOCAL_MACHINE", {}, {}}),
            (std::vector<std::string>{"SOFTWARE\\Dravenlock",
                                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"}));
}

}  // namespace
}  // namespace zorvanel::replay
