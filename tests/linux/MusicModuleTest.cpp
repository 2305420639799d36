#include "platform/linux/ModuleMusic.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace zorvanel::platform {
namespace {

namespace fs = std::filesystem;

// A module that cannot be loaded, and an engine that cannot play, are no
// engine: nothing loads or plays, and the error output has one line of the
// program's own. ALSA without a configuration has no default device and
// complains at length: none of that gets through.
TEST(MusicModuleTest, NoEngineIsOneLineOfOurOwn) {
  const fs::path dir = fs::path(::testing::TempDir()) / "music-module";
  fs::create_directories(dir);
  std::ofstream(dir / "text.so") << "not a library\n";
  std::ofstream{dir / "empty-alsa.conf"};
  ::setenv("ALSA_CONFIG_PATH", (dir / "empty-alsa.conf").c_str(), 1);
  const std::string noFont = (dir / "missing.sf2").string();
  struct Case {
    const char* name;
    std::string module, soundFont, driver, said;
  };
  const std::string noOutput = "zorvanel: no audio output: music disabled\n";
  const Case cases[] = {
      {"no such module", (dir / "missing.so").string(), "", "", "zorvanel: no music module: "},
      {"not a library", (dir / "text.so").string(), "", "", "zorvanel: no music module: "},
      {"a library without the engine", ZORVANEL_LIBRARY_WITHOUT_ENGINE, "", "",
       "zorvanel: no music module: "},
      {"ALSA without a device", ZORVANEL_MUSIC_MODULE, "", "alsa", noOutput},
      {"an unknown driver", ZORVANEL_MUSIC_MODULE, "", "no-such-driver", noOutput},
      {"no sound font", ZORVANEL_MUSIC_MODULE, noFont, "alsa",
       "zorvanel: cannot load the sound font " + noFont + ": music disabled\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleMusic music(c.module, c.soundFont, c.driver);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(music.PrepareEngine());
    EXPECT_FALSE(music.PrepareEngine()) << "a second try gives the first answer";
    EXPECT_FALSE(music.LoadFile("refresh.dat"));
    music.Play();
    EXPECT_FALSE(music.IsPlaying());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind(c.said, 0), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zorvanel::platform
