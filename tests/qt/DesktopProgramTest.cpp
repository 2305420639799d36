// The desktop program around the window: its command line, where its store
// lives and how it is made, and how the program refuses a store it cannot use.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>

#include "desktop/CommandLine.h"
#include "desktop/DesktopStore.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"

namespace zorvanel::desktop {
namespace {

namespace fs = std::filesystem;

struct CommandLineCase {
  std::vector<std::string> args;
  CommandLine::Action action;
  std::string store;
  std::string error;
  bool confirm = false;
};

TEST(CommandLineTest, ReadsTheOptions) {
  using A = CommandLine::Action;
  const CommandLineCase cases[] = {
      {{}, A::Run, "", ""},
      {{"--store", "a.reg"}, A::Run, "a.reg", ""},
      {{"--store=b.reg"}, A::Run, "b.reg", ""},
      {{"--confirm", "--store", "c.reg"}, A::Run, "c.reg", "", true},
      {{"--help"}, A::Help, "", ""},
      {{"--store", "a.reg", "--version"}, A::Version, "", ""},
      {{"--bogus"}, A::Error, "", "unknown option --bogus"},
      {{"file.reg"}, A::Error, "", "unexpected argument file.reg"},
      {{"--store"}, A::Error, "", "--store needs a file name"},
      {{"--store="}, A::Error, "", "--store needs a file name"},
      {{"--store", "a", "--store", "b"}, A::Error, "", "--store given twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
    const CommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.action, c.action);
    EXPECT_EQ(parsed.store.value_or(""), c.store);
    EXPECT_EQ(parsed.error, c.error);
    EXPECT_EQ(parsed.confirm, c.confirm);
  }
}

TEST(DesktopStoreTest, LivesInTheUsersDataFolder) {
  EXPECT_EQ(DefaultStorePath("/data", "/home/u"), "/data/zorvanel/registry.reg");
  EXPECT_EQ(DefaultStorePath(nullptr, "/home/u"), "/home/u/.local/share/zorvanel/registry.reg");
  EXPECT_EQ(DefaultStorePath("relative", "/home/u"), "/home/u/.local/share/zorvanel/registry.reg")
      << "a relative XDG_DATA_HOME is ignored";
  EXPECT_EQ(DefaultStorePath(nullptr, nullptr), std::nullopt);
  EXPECT_EQ(DefaultStorePath(nullptr, ""), std::nullopt);
}

class StoreFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zorvanel-qt-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }
  static std::string Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }

  fs::path folder;
};

TEST_F(StoreFolderTest, AMissingStoreIsMadeFromTheSampleMachine) {
  const std::string sample = SampleStore();
  ASSERT_NE(sample.find("Services\\nv\\Device0"), std::string::npos);
  EXPECT_NO_THROW(store::ParseRegFile(sample, "sample"));

  const fs::path path = folder / "data" / "zorvanel" / "registry.reg";
  CreateStoreIfMissing(path.string(), sample);
  EXPECT_EQ(Read(path), sample);
  EXPECT_EQ(fs::directory_iterator(path.parent_path())->path(), path) << "no leftovers";

  std::ofstream(path, std::ios::trunc) << "REGEDIT4\n";
  CreateStoreIfMissing(path.string(), sample);
  EXPECT_EQ(Read(path), "REGEDIT4\n") << "an existing store is never replaced";
}

TEST_F(StoreFolderTest, AStoreThatCannotBeMadeIsAClearError) {
  std::ofstream(folder / "plain-file") << "not a folder";
  try {
    CreateStoreIfMissing((folder / "plain-file" / "registry.reg").string(), "REGEDIT4\n");
    FAIL() << "no error";
  } catch (const store::StoreFileError& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot create the store"), std::string::npos);
  }
}

// The program itself, run without any display: it must stop before it
// would need one.
struct ProgramRun {
  int exitCode;
  std::string out;
  std::string err;
};

ProgramRun RunProgram(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(ZORVANEL_PROGRAM), args);
  if (!process.waitForFinished(10000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "the program did not stop";
  }
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

TEST_F(StoreFolderTest, TheProgramAnswersItsCommandLine) {
  const ProgramRun version = RunProgram({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "Zorvanel v2.21f E\n");
  const ProgramRun help = RunProgram({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--store FILE"), std::string::npos);
  const ProgramRun bad = RunProgram({"--bogus"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("zorvanel: unknown option --bogus"), std::string::npos);
}

TEST_F(StoreFolderTest, AStoreThatCannotBeReadStopsTheProgramNamingFileAndLine) {
  const fs::path path = folder / "broken.reg";
  std::ofstream(path) << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\n";
  const ProgramRun run = RunProgram({"--store", QString::fromStdString(path.string())});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(path.string() + ":3:"), std::string::npos) << run.err;
  EXPECT_EQ(Read(path), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\n") << "left as it was";
}

TEST_F(StoreFolderTest, ASecondInstanceOnTheSameStoreIsRefused) {
  const fs::path path = folder / "registry.reg";
  std::ofstream(path) << "REGEDIT4\n";
  const auto first = store::StoreFile::Open(path.string());
  const ProgramRun second = RunProgram({"--store", QString::fromStdString(path.string())});
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(second.err.find("in use by another Zorvanel instance"), std::string::npos)
      << second.err;
}

}  // namespace
}  // namespace zorvanel::desktop
