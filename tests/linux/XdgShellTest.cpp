#include "platform/linux/XdgShell.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace zorvanel::platform {
namespace {

namespace fs = std::filesystem;

TEST(OpenTargetTest, WhatEachRequestOpens) {
  const std::string here = fs::current_path().string();
  struct Case {
    const char* name;
    const char* verb;
    const char* file;
    const char* parameters;
    const char* directory;
    std::optional<std::string> target;
    const char* documents = "";
  };
  const Case cases[] = {
      {"web link", "open", "http://www.example.org", "", "", "http://www.example.org"},
      {"mail link, subject as typed", "open",
       "mailto:tavrik@example.org?subject=Bug report: Zorvanel v2.21f E", "", "",
       "mailto:tavrik@example.org?subject=Bug report: Zorvanel v2.21f E"},
      {"read-me in Notepad", "open", "notepad.exe", "readme.txt", "/opt/zorvanel",
       "/opt/zorvanel/readme.txt"},
      {"Notepad in capitals", "OPEN", "NOTEPAD.EXE", "readme.txt", "/opt/zorvanel",
       "/opt/zorvanel/readme.txt"},
      {"read-me in the current directory", "open", "notepad.exe", "readme.txt", "",
       here + "/readme.txt"},
      {"read-me in the documents folder", "open", "notepad.exe", "readme.txt", "",
       "/usr/share/doc/zorvanel/readme.txt", "/usr/share/doc/zorvanel"},
      {"a working directory before the documents folder", "open", "notepad.exe", "readme.txt",
       "/opt/zorvanel", "/opt/zorvanel/readme.txt", "/usr/share/doc/zorvanel"},
      {"a document named like an option", "open", "--help", "", "/opt/zorvanel",
       "/opt/zorvanel/--help"},
      {"an absolute document", "open", "/etc/motd", "", "/opt/zorvanel", "/etc/motd"},
      {"another verb", "print", "readme.txt", "", "/opt/zorvanel", std::nullopt},
      {"another program", "open", "regedit.exe", "/s backup.reg", "", std::nullopt},
      {"Notepad without a document", "open", "notepad.exe", "", "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OpenTarget(c.verb, c.file, c.parameters, c.directory, c.documents), c.target);
  }
}

class XdgShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "/xdgshell-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = fs::path(pattern).lexically_normal();
    // Writes how many arguments it got, then each on its own line.
    std::ofstream(dir_ / "launcher") << "#!/bin/sh\n"
                                        "out=\"$(dirname \"$0\")/args\"\n"
                                        "printf '%s\\n' \"$#\" \"$@\" > \"$out.part\"\n"
                                        "mv \"$out.part\" \"$out\"\n";
    fs::permissions(dir_ / "launcher", fs::perms::owner_all);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // What the launcher was given, once it has run.
  std::string LauncherArguments() const {
    for (int i = 0; i < 1000 && !fs::exists(dir_ / "args"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ostringstream content;
    content << std::ifstream(dir_ / "args").rdbuf();
    return content.str();
  }

  fs::path dir_;
};

// Quotes, semicolons and substitutions reach the launcher as one argument,
// and nothing runs them.
TEST_F(XdgShellTest, HandsTheLinkOverAsOneUninterpretedArgument) {
  const std::string trap = (dir_ / "trapped").string();
  const std::string link = "http://www.example.org/?a=$(touch " + trap + ")&b=`touch " + trap +
                           "`;touch " + trap + " 'q' \"q\"";
  XdgShell((dir_ / "launcher").string()).ShellExecute(0, "open", link, "", "", kShowNormal);
  EXPECT_EQ(LauncherArguments(), "1\n" + link + "\n");
  EXPECT_FALSE(fs::exists(trap));
}

TEST_F(XdgShellTest, OpensTheReadmeFromTheProgramFolder) {
  XdgShell((dir_ / "launcher").string())
      .ShellExecute(0, "open", "notepad.exe", "readme.txt", dir_.string(), kShowMaximized);
  EXPECT_EQ(LauncherArguments(), "1\n" + (dir_ / "readme.txt").string() + "\n");
}

TEST_F(XdgShellTest, AMissingLauncherIsPassedOver) {
  XdgShell((dir_ / "no-such-launcher").string())
      .ShellExecute(0, "open", "http://www.example.org", "", "", kShowNormal);
  SUCCEED();
}

}  // namespace
}  // namespace zorvanel::platform
