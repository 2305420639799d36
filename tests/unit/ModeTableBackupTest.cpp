// Backup and restore driven on the main window with the driver's keys set
// directly. The backup tells "Backup complete" only when it can read its
// copy back; otherwise "Backup incomplete", and the restore button is
// enabled only while a saved NV_Modes is there to restore.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ProductKey.h"
#include "modes/BackupRestore.h"
#include "tests/support/MainframeHarness.h"

namespace zorvanel::modes {
namespace {

using registry::RegistryCall;
using testing::MainframeHarness;
using ui::Answer;

constexpr const char* kDriverKey = "SYSTEM\\CurrentControlSet\\Services\\nv";

constexpr const char* kProductKey =
    "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\n\"Version\"=\"2.21f E\"\n";
constexpr const char* kEmptyBackupKey =
    "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\Backup]\n";
constexpr const char* kEarlierBackup =
    "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\Backup]\n\"NV_Modes\"=\"earlier\"\n";
constexpr const char* kDevice0 =
    "\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv\\Device0]\n"
    "\"Monitor0_Modes_Delta\"=\"S 1600x1200=1FFF;\"\n\"Other\"=\"x\"\n"
    "\"NV_Modes\"=\"S 640x480=1FF0;\"\n\"Monitor1_Modes_Delta\"=dword:00000001\n"
    "\"Monitor2_Modes_Delta\"=\"S 1920x1200=1FFF;\"\n";
constexpr const char* kDevice0WithoutNvModes =
    "\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv\\Device0]\n"
    "\"Monitor0_Modes_Delta\"=\"S 1600x1200=1FFF;\"\n";

constexpr const char* kBackupComplete = "\"Backup complete\"";
constexpr const char* kBackupIncomplete = "\"Backup incomplete\"";

struct Fault {
  RegistryCall call;
  std::uint32_t nth;  // counted from the click
};

struct BackupCase {
  const char* name;
  std::string store;
  std::vector<Fault> faults;
  const char* title;
  bool restoreEnabled;
};

TEST(ModeTableBackup, CompleteOnlyWhenTheCopyReadsBack) {
  const std::string complete = std::string(kProductKey) + kEmptyBackupKey + kDevice0;
  const std::vector<BackupCase> cases = {
      {"every mode value saved", complete, {}, kBackupComplete, true},
      {"no device key 0", std::string(kProductKey) + kEmptyBackupKey, {}, kBackupIncomplete,
       false},
      {"no device key 0, an earlier backup kept", std::string(kProductKey) + kEarlierBackup, {},
       kBackupIncomplete, true},
      {"no backup key", std::string(kProductKey) + kDevice0, {}, kBackupIncomplete, false},
      {"device key 0 without NV_Modes", std::string(kProductKey) + kEmptyBackupKey +
       kDevice0WithoutNvModes, {}, kBackupIncomplete, false},
      {"the first write fails", complete, {{RegistryCall::RegSetValueEx, 1}}, kBackupIncomplete,
       true},
      {"the last write fails", complete, {{RegistryCall::RegSetValueEx, 3}}, kBackupIncomplete,
       false},
      {"a read of the driver's value fails", complete, {{RegistryCall::RegQueryValueEx, 1}},
       kBackupIncomplete, true},
      {"the walk of device key 0 fails at its second value", complete,
       {{RegistryCall::RegEnumValue, 2}}, kBackupIncomplete, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainframeHarness harness(c.store);
    app::frmMainframe& window = harness.Start();
    window.fields.DriverKey = kDriverKey;
    harness.TakeTranscript();
    for (const Fault& fault : c.faults) harness.Fail(fault.call, fault.nth, registry::kAccessDenied);
    harness.Answer({Answer::Yes});
    cmdBackup_Click(window);
    const std::string transcript = harness.TakeTranscript();
    EXPECT_NE(transcript.find(c.title), std::string::npos) << transcript;
    EXPECT_NE(harness.toolkit().Describe("cmdRestore").find(c.restoreEnabled ? "enabled=1"
                                                                              : "enabled=0"),
              std::string::npos);
  }
}

TEST(ModeTableBackup, SavesTheDeltaTextsInOrderThenNvModesAndNothingElse) {
  MainframeHarness harness(std::string(kProductKey) + kEmptyBackupKey + kDevice0);
  app::frmMainframe& window = harness.Start();
  window.fields.DriverKey = kDriverKey;
  harness.Answer({Answer::Yes});
  cmdBackup_Click(window);
  EXPECT_EQ(harness.Values(app::kBackupKey),
            "Monitor0_Modes_Delta=S 1600x1200=1FFF;\n"
            "Monitor2_Modes_Delta=S 1920x1200=1FFF;\n"
            "NV_Modes=S 640x480=1FF0;\n");
}

// A value of another type has no text to put back: no value named after the
// walk's marker appears in the driver's keys, and no registry error is shown.
TEST(ModeTableBackup, RestoreSkipsAValueThatIsNotText) {
  MainframeHarness harness(
      std::string(kProductKey) +
      "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\Backup]\n"
      "\"Stray\"=dword:00000001\n\"NV_Modes\"=\"S 640x480=1FF0;\"\n" +
      "\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\nv\\Device0]\n"
      "\"NV_Modes\"=\"S 800x600=1FFF;\"\n");
  app::frmMainframe& window = harness.Start();
  window.fields.DriverKey = kDriverKey;
  harness.TakeTranscript();
  harness.Answer({Answer::Yes, Answer::No});
  cmdRestore_Click(window);
  EXPECT_EQ(harness.TakeTranscript().find("Registry-error"), std::string::npos);
  EXPECT_EQ(harness.Values(std::string(kDriverKey) + "\\Device0"), "NV_Modes=S 640x480=1FF0;\n");
}

}  // namespace
}  // namespace zorvanel::modes
