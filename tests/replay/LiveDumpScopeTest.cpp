#include "replay/LiveDumpScope.h"

#include <gtest/gtest.h>

#include "platform/store/RegFile.h"

namespace zorvanel::replay {
namespace {

// The vendor and RunOnce keys are always dumped; beyond them, the keys a
// store file holds are those with values and those listed without subkeys.
// The keys on the way to them are not held, so a live dump does not print
// everything else the live registry has beside them.
TEST(LiveDumpScope, RootsAreTheVendorAndRunOnceKeysAndTheKeysTheStoreHolds) {
  const std::vector<std::string> always{"SOFTWARE\\Dravenlock",
                                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"};
  EXPECT_EQ(LiveDumpRoots(store::EmptyRoot()), always);
  const store::Key storeFile = store::ParseRegFile(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv]\r\n\"Start\"=dword:1\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv\\Device0]\r\n\"NV_Modes\"=\"x\"\r\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Video\\{GUID}\\0000]\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\r\n\"Version\"=\"2.21f E\"\r\n",
      "store.reg");
  std::vector<std::string> roots = always;
  roots.insert(roots.end(), {"SYSTEM\\CurrentControlSet\\Services\\nv",
                             "SYSTEM\\CurrentControlSet\\Control\\Video\\{GUID}\\0000",
                             "SOFTWARE\\Dravenlock\\Zorvanel"});
  EXPECT_EQ(LiveDumpRoots(storeFile), roots);
}

}  // namespace
}  // namespace zorvanel::replay
