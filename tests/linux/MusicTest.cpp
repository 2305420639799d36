// Music through the real FluidSynth, rendered into memory, and the music
// module as the program loads it, where ALSA has no device: no sound card.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/linux/FluidSynthEngine.h"
#include "platform/linux/ModuleMusic.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::platform {
namespace {

namespace fs = std::filesystem;

// A format-0 MIDI file: a piano playing C, E and G, an eighth note each.
const std::string kSmallMidi(
    "MThd\0\0\0\6\0\0\0\1\0\x60" "MTrk\0\0\0\x1f" "\0\xC0\0" "\0\x90\x3C\x64\x30\x80\x3C\0"
    "\0\x90\x40\x64\x30\x80\x40\0" "\0\x90\x43\x64\x30\x80\x43\0" "\0\xFF\x2F\0",
    53);

// Renders until the player is done, at most two minutes of music, into
// memory: the seconds rendered and the loudest sample.
std::pair<double, int> Render(FluidSynthEngine& engine) {
  double rate = 44100;
  fluid_settings_getnum(engine.settings(), "synth.sample-rate", &rate);
  std::int16_t block[2 * 64];
  int frames = 0, loudest = 0;
  for (; frames < 120 * rate && engine.Running(); frames += 64) {
    fluid_synth_write_s16(engine.synth(), 64, block, 0, 2, block, 1, 2);
    for (std::int16_t sample : block) loudest = std::max(loudest, std::abs(int{sample}));
  }
  return {frames / rate, loudest};
}

// Only MIDI files load. From a MIDI file to samples, with the sound font the
// program uses: played once, the music ends by itself, and can be played
// again. The music the program ships lasts its 30 to 60 seconds.
TEST(FluidSynthTest, PlaysMidiFilesOnly) {
  if (!fs::exists(kGeneralMidiSoundFont)) GTEST_SKIP() << "fluid-soundfont-gm is not installed";
  const robust::TempDirectory dir{"fluidsynth"};
  const auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return (dir / name).string();
  };
  const std::string oversized = write("oversized.mid", kSmallMidi);
  fs::resize_file(oversized, kMaxMidiFileBytes + 1);
  const struct {
    const char* name;
    std::string path;
    int rounds;                // played; 0: the file does not load
    double shortest, longest;  // seconds, with the last notes' release
  } cases[] = {
      {"a few notes", write("music.mid", kSmallMidi), 2, 0.5, 5},
      {"the shipped refresh.dat", ZORVANEL_MUSIC_FILE, 1, 30, 65},
      {"no such file", (dir / "missing.mid").string(), 0},
      {"an empty file", write("empty.mid", ""), 0},
      {"text", write("readme.txt", "MIDI? No."), 0},
      {"a MIDI header on a huge file", oversized, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FluidSynthEngine engine;
    EXPECT_EQ(engine.Load(c.path), c.rounds > 0);
    EXPECT_EQ(engine.HasMusic(), c.rounds > 0);
    if (c.rounds == 0) continue;
    ASSERT_TRUE(engine.Prepare(kGeneralMidiSoundFont));
    for (int round = 1; round <= c.rounds; ++round) {
      SCOPED_TRACE("round " + std::to_string(round));
      ASSERT_TRUE(engine.Start());
      const auto [seconds, loudest] = Render(engine);
      EXPECT_FALSE(engine.Running());
      EXPECT_TRUE(seconds >= c.shortest && seconds <= c.longest) << seconds << " s";
      EXPECT_GT(loudest, 100) << "only silence came out";
    }
  }
}

// A module that cannot be loaded, and an engine that cannot play, are no
// engine: nothing loads or plays, and the error output has one line of the
// program's own. ALSA without a configuration has no default device and
// complains at length: none of that gets through.
TEST(MusicModuleTest, NoEngineIsOneLineOfOurOwn) {
  const robust::TempDirectory dir{"music-module"};
  std::ofstream(dir / "text.so") << "not a library\n";
  std::ofstream{dir / "empty-alsa.conf"};
  ::setenv("ALSA_CONFIG_PATH", (dir / "empty-alsa.conf").c_str(), 1);
  const std::string noFont = (dir / "missing.sf2").string();
  const std::string noModule = "zorvanel: no music module: ";
  const std::string noOutput = "zorvanel: no audio output: music disabled\n";
  const struct {
    const char* name;
    std::string module, soundFont, driver, said;
  } cases[] = {
      {"no such module", (dir / "missing.so").string(), "", "", noModule},
      {"not a library", (dir / "text.so").string(), "", "", noModule},
      {"a library without the engine", ZORVANEL_LIBRARY_WITHOUT_ENGINE, "", "", noModule},
      {"ALSA without a device", ZORVANEL_MUSIC_MODULE, "", "alsa", noOutput},
      {"an unknown driver", ZORVANEL_MUSIC_MODULE, "", "no-such-driver", noOutput},
      {"no sound font", ZORVANEL_MUSIC_MODULE, noFont, "alsa",
       "zorvanel: cannot load the sound font " + noFont + ": music disabled\n"},
  };
  for (const auto& c : cases) {
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
}

}  // namespace
}  // namespace zorvanel::platform
