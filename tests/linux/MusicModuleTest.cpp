#include "platform/linux/ModuleMusic.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace zorvanel::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// The whole conversation of a first use: prepared or not, what was said on
// the error output, and whether anything could then be loaded or played.
struct FirstUse {
  bool prepared;
  std::string said;
  bool loads;
  bool plays;
};

FirstUse Use(ModuleMusic& music) {
  CaptureStderr();
  const bool prepared = music.PrepareEngine();
  const bool loads = music.LoadFile("refresh.dat");
  music.Play();
  const bool plays = music.IsPlaying();
  return {prepared, GetCapturedStderr(), loads, plays};
}

TEST(MusicModuleTest, AModuleThatCannotBeLoadedIsNoEngine) {
  const fs::path dir = fs::path(::testing::TempDir()) / "music-module";
  fs::create_directories(dir);
  std::ofstream(dir / "text.so") << "not a library\n";
  struct Case {
    const char* name;
    std::string path;
  };
  const Case cases[] = {
      {"no such file", (dir / "missing.so").string()},
      {"not a library", (dir / "text.so").string()},
      {"a library without the engine", ZORVANEL_LIBRARY_WITHOUT_ENGINE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleMusic music(c.path);
    const FirstUse use = Use(music);
    EXPECT_FALSE(use.prepared || use.loads || use.plays);
    EXPECT_EQ(use.said.rfind("zorvanel: no music module: ", 0), 0u) << use.said;
    EXPECT_EQ(std::count(use.said.begin(), use.said.end(), '\n'), 1) << use.said;
    EXPECT_FALSE(music.PrepareEngine()) << "a second try gives the first answer";
  }
  fs::remove_all(dir);
}

// The module's engine says in one line why there is no music. ALSA without a
// configuration has no default device, and complains about it at length:
// none of that reaches the error output.
TEST(MusicModuleTest, AnEngineThatCannotPlayIsOneLineOfOurOwn) {
  const fs::path empty = fs::path(::testing::TempDir()) / "empty-alsa.conf";
  std::ofstream{empty};
  ::setenv("ALSA_CONFIG_PATH", empty.c_str(), 1);
  const std::string noFont = (fs::path(::testing::TempDir()) / "missing.sf2").string();
  struct Case {
    const char* name;
    std::string soundFont;
    const char* driver;
    std::string said;
  };
  const Case cases[] = {
      {"ALSA without a device", "", "alsa", "zorvanel: no audio output: music disabled\n"},
      {"an unknown driver", "", "no-such-driver", "zorvanel: no audio output: music disabled\n"},
      {"no sound font", noFont, "alsa",
       "zorvanel: cannot load the sound font " + noFont + ": music disabled\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleMusic music(ZORVANEL_MUSIC_MODULE, c.soundFont, c.driver);
    const FirstUse use = Use(music);
    EXPECT_FALSE(use.prepared || use.loads || use.plays);
    EXPECT_EQ(use.said, c.said);
  }
  fs::remove(empty);
}

}  // namespace
}  // namespace zorvanel::platform
