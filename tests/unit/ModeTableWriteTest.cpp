// The writer with detection fields that no store gives through detection.

#include <gtest/gtest.h>

#include <string>

#include "modes/Apply.h"
#include "platform/headless/Transcript.h"
#include "tests/support/MainframeHarness.h"

namespace zorvanel::modes {
namespace {

using ui::Answer;

// How a box text that starts with these characters begins in the transcript.
std::string QuotedStart(std::string_view text) {
  std::string quoted = headless::Quote(text);
  quoted.pop_back();
  return quoted;
}

// No driver key and no video key: the confirmation names the bare root,
// nothing is written, and the restart is still offered. The prefix belongs
// to the hexadecimal form only.
TEST(ModeTableWrite, WithoutDriverKeysNothingIsWrittenYetCompletionIsAsked) {
  testing::MainframeHarness harness(
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\n"
      "\"Version\"=\"2.21f E\"\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\Backup]\n");
  app::frmMainframe& window = harness.Start();
  window.fields = {"", "", true, false, true};
  window.form().ShowItem("cmb640x480", "85");
  harness.TakeTranscript();
  const std::string before = harness.Dump();

  harness.Answer({Answer::Yes, Answer::No});
  cmdApply_Click(window);

  const std::string transcript = harness.TakeTranscript();
  EXPECT_NE(transcript.find("box \"The final frontier\" information YesNo " +
                            QuotedStart("Resolution table:\r\n\"S 640,480,-,-75\"\r\n\r\n"
                                        "Registry key:\r\nHKEY_LOCAL_MACHINE\\\r\n\r\n")),
            std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find("box \"Completion\" question YesNo"), std::string::npos) << transcript;
  EXPECT_EQ(harness.Dump(), before);
}

}  // namespace
}  // namespace zorvanel::modes
