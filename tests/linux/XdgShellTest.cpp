#include "platform/linux/XdgShell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/robust/TempDirectory.h"

namespace zorvanel::platform {
namespace {

namespace fs = std::filesystem;

TEST(OpenTargetTest, WhatEachRequestOpens) {
  const std::string here = fs::current_path().string();
  const std::string mail = "mailto:tavrik@example.org?subject=Bug report: Zorvanel v2.21f E";
  const struct {
    const char* name;
    const char *verb, *file, *parameters, *directory;
    std::optional<std::string> target;
    const char* documents = "";
  } cases[] = {
      {"mail link, subject as typed", "open", mail.c_str(), "", "", mail},
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OpenTarget(c.verb, c.file, c.parameters, c.directory, c.documents), c.target);
  }
}

// The real launch, through a launcher that writes how many arguments it got
// and then each on its own line. Quotes, semicolons and substitutions reach
// it as one argument, and nothing runs them; a missing launcher is passed over.
TEST(XdgShellTest, HandsTheLauncherOneUninterpretedArgument) {
  const robust::TempDirectory dir{"xdgshell"};
  std::ofstream(dir / "launcher") << "#!/bin/sh\n"
                                     "out=\"$(dirname \"$0\")/args\"\n"
                                     "printf '%s\\n' \"$#\" \"$@\" > \"$out.part\"\n"
                                     "mv \"$out.part\" \"$out\"\n";
  fs::permissions(dir / "launcher", fs::perms::owner_all);
  const auto launched = [&] {
    for (int i = 0; i < 1000 && !fs::exists(dir / "args"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ostringstream content;
    content << std::ifstream(dir / "args").rdbuf();
    fs::remove(dir / "args");
    return content.str();
  };
  XdgShell shell((dir / "launcher").string());

  const std::string trap = (dir / "trapped").string();
  const std::string link = "http://www.example.org/?a=$(touch " + trap + ")&b=`touch " + trap +
                           "`;touch " + trap + " 'q' \"q\"";
  shell.ShellExecute(0, "open", link, "", "", kShowNormal);
  EXPECT_EQ(launched(), "1\n" + link + "\n");
  EXPECT_FALSE(fs::exists(trap));

  shell.ShellExecute(0, "open", "notepad.exe", "readme.txt", dir.Path().string(), kShowMaximized);
  EXPECT_EQ(launched(), "1\n" + (dir / "readme.txt").string() + "\n");

  XdgShell((dir / "no-such-launcher").string())
      .ShellExecute(0, "open", "http://www.example.org", "", "", kShowNormal);
}

}  // namespace
}  // namespace zorvanel::platform
