// The README's demo on the sample machine runs to its end and shows the table
// it wrote. A write keeps its last good values either way; only with a Windows
// program to start at the next logon (not so for the desktop program) does it
// arm the check.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/replay/ScenarioFiles.h"

namespace zorvanel::replay {
namespace {

// The second sample machine knows its monitor only from the monitor's INF.
TEST(SampleMachine, DemoRunsToItsEndAndArmsTheCheckOnlyWithAProgramPath) {
  const std::string examples = ZORVANEL_EXAMPLES;
  const std::pair<const char*, const char*> machines[] = {
      {"/sample-xp.reg", "SyncMaster 957MB: 30-96 kHz, 50-160 Hz, 230 MHz"},
      {"/sample-xp-inf.reg", "Vistar 17CS (driver): 31.5-82 kHz, 50-100 Hz"}};
  for (const auto& [store, monitor] : machines) {
    for (const bool programPath : {true, false}) {
      SCOPED_TRACE(std::string(store) + (programPath ? ", the Windows program" : ", no program path"));
      const Scenario demo{examples + "/demo.replay", examples + store};
      const std::string transcript =
          RunScenario(demo, programPath ? std::vector<std::string>{}
                                        : std::vector<std::string>{"--exe-path", ""})
              .transcript;
      EXPECT_NE(transcript.find(monitor), std::string::npos) << transcript;
      for (const char* shown : {"box \"Backup complete\"",
                                "{*}S 1024x768 1280x1024=1FF8; 640x480 800x600=1FF0;",
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\LastGood\\0]"}) {
        EXPECT_NE(transcript.find(shown), std::string::npos) << shown << "\n" << transcript;
      }
      for (const char* armed : {"PendingConfirm", "RunOnce]"}) {
        EXPECT_EQ(transcript.find(armed) != std::string::npos, programPath) << armed;
      }
      EXPECT_EQ(transcript.find("Registry-error"), std::string::npos) << transcript;
      EXPECT_EQ(transcript.find("\n--- "), std::string::npos) << "an error or a failed exit";
    }
  }
}

}  // namespace
}  // namespace zorvanel::replay
