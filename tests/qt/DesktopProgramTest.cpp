// The desktop program as a process, on its command line and its store,
// without a display. (Two instances on one store: tests/robust.)

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>

#include "desktop/DesktopStore.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::desktop {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// Each run stops before it would need a display, but for the confirm check
// with nothing pending, which ends as it starts (on the offscreen platform;
// were --confirm lost, the main window would wait there for the user). The
// store lives in the user's data folder, made from the sample machine when
// missing and never replaced when there.
TEST(DesktopProgramTest, RunsAsItsCommandLineAndItsStoreSay) {
  const robust::TempDirectory dir{"zorvanel-qt"};
  const std::string broken = (dir / "broken.reg").string();
  const std::string brokenText = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\n";
  std::ofstream(broken) << brokenText;
  const std::string quiet = ZORVANEL_TEST_DATA "/stores/settings-4523-two-devices.reg";
  fs::create_directories(dir / "kept" / "zorvanel");
  fs::copy_file(quiet, dir / "kept" / "zorvanel" / "registry.reg");
  const std::string system = (dir / "system").string();
  const std::string oneTarget =
      "give --store FILE, --windows DIR, or --system-hive FILE with --software-hive FILE";
  const std::pair<const char*, std::string> screen{"QT_QPA_PLATFORM", "offscreen"};
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string said;  // found in what it wrote
    std::vector<std::pair<const char*, std::string>> env = {};
  } cases[] = {
      {{"--version"}, 0, "Zorvanel v2.21f E\n"},
      {{"-h"}, 0, "--store FILE"},
      {{"--bogus"}, 2, "zorvanel: unknown option --bogus\nusage:"},
      {{"file.reg"}, 2, "zorvanel: unexpected argument file.reg"},
      {{"--store"}, 2, "zorvanel: --store needs a file name"},
      {{"--store="}, 2, "zorvanel: --store needs a file name"},
      {{"--windows="}, 2, "zorvanel: --windows needs a folder"},
      {{"--windows", "--windows"}, 2, "zorvanel: --windows given twice"},
      {{"--store", "a", "--store", "b"}, 2, "zorvanel: --store given twice"},
      {{"--store", "a", "--windows", "w"}, 2, oneTarget},
      {{"--system-hive", "s"}, 2, oneTarget},
      {{"--store", broken}, 1, broken + ":3:"},
      {{"--store=" + broken}, 1, broken + ":3:"},
      {{"--windows", dir.Path().string()}, 1, "no Windows installation in " + dir.Path().string()},
      {{"--software-hive=w", "--system-hive", system}, 1, "registry file " + system + " cannot"},
      {{"--confirm"}, 0, "", {screen, {"XDG_DATA_HOME", (dir / "data").string()}}},
      {{"--confirm"}, 0, "", {screen, {"XDG_DATA_HOME", "relative"}}},
      {{"--confirm"}, 0, "", {screen, {"XDG_DATA_HOME", (dir / "kept").string()}}},
      {{"--confirm"}, 1, "Cannot create the store " + broken + "/zorvanel/registry.reg",
       {{"XDG_DATA_HOME", broken}}},
      {{"--confirm"}, 1, "There is no home folder", {{"HOME", ""}}},
  };
  for (const auto& c : cases) {
    QStringList args;
    for (const auto& arg : c.args) args << QString::fromStdString(arg);
    SCOPED_TRACE(args.join(' ').toStdString() + (c.env.empty() ? "" : " " + c.env.back().second));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME"}) {
      env.remove(name);
    }
    env.insert("HOME", QString::fromStdString((dir / "home").string()));
    for (const auto& [name, value] : c.env) env.insert(name, QString::fromStdString(value));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZORVANEL_PROGRAM), args);
    if (!process.waitForFinished(10000)) {
      process.kill();
      process.waitForFinished();
      ADD_FAILURE() << "the program did not stop";
    }
    const std::string said =
        (process.readAllStandardOutput() + process.readAllStandardError()).toStdString();
    EXPECT_EQ(process.exitCode(), c.exitCode);
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
  }
  EXPECT_EQ(Read(broken), brokenText) << "a store that cannot be read is left as it was";
  EXPECT_EQ(Read(dir / "data" / "zorvanel" / "registry.reg"), SampleStore());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "data" / "zorvanel"), {}), 1)
      << "no leftovers";
  EXPECT_EQ(Read(dir / "home" / ".local" / "share" / "zorvanel" / "registry.reg"), SampleStore())
      << "a relative XDG_DATA_HOME is ignored";
  EXPECT_EQ(Read(dir / "kept" / "zorvanel" / "registry.reg"), Read(quiet));
}

}  // namespace
}  // namespace zorvanel::desktop
