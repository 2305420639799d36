// The README's demo walks through the main job on the sample machine; it
// must keep running to its end and show the table it wrote.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "replay/ReplayRunner.h"

namespace zorvanel::replay {
namespace {

namespace fs = std::filesystem;

TEST(ModeTableDemo, RunsToItsEndOnTheSampleMachine) {
  const fs::path examples = ZORVANEL_EXAMPLES;
  const fs::path work = fs::path(::testing::TempDir()) / "zorvanel-demo";
  fs::remove_all(work);
  fs::create_directories(work);
  const fs::path store = work / "registry.reg";
  fs::copy_file(examples / "sample-xp.reg", store);
  std::istringstream in;
  std::ostringstream out, err;

  const int status = ReplayMain({"--store", store.string(), (examples / "demo.replay").string()},
                                in, out, err);
  fs::remove_all(work);

  EXPECT_EQ(status, 0) << err.str();
  EXPECT_EQ(err.str(), "");
  const std::string transcript = out.str();
  EXPECT_NE(transcript.find("box \"Backup complete\""), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("{*}S 1024x768 1280x1024=1FF8; 640x480 800x600=1FF0;"),
            std::string::npos)
      << transcript;
  EXPECT_EQ(transcript.find("Registry-error"), std::string::npos) << transcript;
}

}  // namespace
}  // namespace zorvanel::replay
