// The desktop program has no Windows program to start at the next logon: a
// write there keeps its last good values but arms no check.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "replay/ReplayRunner.h"

namespace zorvanel::replay {
namespace {

namespace fs = std::filesystem;

TEST(UndoWithoutProgramPath, KeepsTheLastGoodValuesButArmsNoCheck) {
  const fs::path work = fs::path(::testing::TempDir()) / "zorvanel-no-program-path";
  fs::remove_all(work);
  fs::create_directories(work);
  const fs::path store = work / "registry.reg";
  fs::copy_file(fs::path(ZORVANEL_EXAMPLES) / "sample-xp.reg", store);
  ReplayOptions options;
  options.store = store.string();
  options.program.programPath = "";
  std::istringstream script("start\ntab 3\nselect cmb1024x768 85\nanswer Yes No\nclick cmdApply\ndump\n");
  std::ostringstream out, err;

  EXPECT_EQ(RunReplay(options, script, out, err), 0) << err.str();
  fs::remove_all(work);

  const std::string transcript = out.str();
  EXPECT_NE(transcript.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel\\LastGood\\0]"),
            std::string::npos)
      << transcript;
  EXPECT_EQ(transcript.find("PendingConfirm"), std::string::npos) << transcript;
  EXPECT_EQ(transcript.find("RunOnce"), std::string::npos) << transcript;
}

}  // namespace
}  // namespace zorvanel::replay
