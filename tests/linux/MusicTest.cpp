// Music through the real FluidSynth, rendered into a file, and the music
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
std::string SmallMidiFile() {
  std::string track = {'\x00', '\xC0', '\x00'};
  for (char note : {'\x3C', '\x40', '\x43'}) {
    track += {'\x00', '\x90', note, '\x64', '\x30', '\x80', note, '\x00'};
  }
  track += {'\x00', '\xFF', '\x2F', '\x00'};
  std::string file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, '\x60'};
  file += {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<char>(track.size())};
  return file + track;
}

class FluidSynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kGeneralMidiSoundFont)) GTEST_SKIP() << "fluid-soundfont-gm is not installed";
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return (dir / name).string();
  }

  robust::TempDirectory dir{"fluidsynth"};
  const std::string midi = Write("music.mid", SmallMidiFile());
};

// Renders until the player is done, at most two minutes of music, and
// returns the seconds rendered.
double RenderToFile(FluidSynthEngine& engine) {
  double rate = 44100;
  int period = 64;
  fluid_settings_getnum(engine.settings(), "synth.sample-rate", &rate);
  fluid_settings_getint(engine.settings(), "audio.period-size", &period);
  fluid_file_renderer_t* renderer = new_fluid_file_renderer(engine.synth());
  int blocks = 0;
  for (; renderer && blocks * period < 120 * rate && engine.Running(); ++blocks) {
    fluid_file_renderer_process_block(renderer);
  }
  delete_fluid_file_renderer(renderer);
  return blocks * period / rate;
}

int Loudest(const fs::path& raw) {
  std::ifstream in(raw, std::ios::binary);
  int loudest = 0;
  for (std::int16_t sample; in.read(reinterpret_cast<char*>(&sample), sizeof sample);) {
    loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
  }
  return loudest;
}

// The whole way from a MIDI file to samples, with the sound font the program
// uses; played once, it ends by itself, and can be played again. The music
// the program ships passes FluidSynth's own file check and lasts its 30 to
// 60 seconds.
TEST_F(FluidSynthTest, RendersAMidiFileToSound) {
  const struct {
    const char* name;
    std::string path;
    double shortest, longest;  // seconds, with the last notes' release
    int rounds;
  } cases[] = {{"a few notes", midi, 0.5, 5, 2},
               {"the shipped refresh.dat", ZORVANEL_MUSIC_FILE, 30, 65, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(fluid_is_midifile(c.path.c_str()));
    FluidSynthEngine engine;
    const std::string out = (dir / "out.raw").string();
    fluid_settings_setstr(engine.settings(), "audio.file.name", out.c_str());
    fluid_settings_setstr(engine.settings(), "audio.file.type", "raw");
    fluid_settings_setstr(engine.settings(), "audio.file.format", "s16");
    ASSERT_TRUE(engine.Prepare(kGeneralMidiSoundFont));
    ASSERT_TRUE(engine.Load(c.path));
    for (int round = 1; round <= c.rounds; ++round) {
      SCOPED_TRACE("round " + std::to_string(round));
      fs::remove(out);
      ASSERT_TRUE(engine.Start());
      const double seconds = RenderToFile(engine);
      EXPECT_FALSE(engine.Running());
      EXPECT_TRUE(seconds >= c.shortest && seconds <= c.longest) << seconds << " s";
      EXPECT_GT(Loudest(out), 100) << "only silence came out";
    }
  }
}

TEST_F(FluidSynthTest, LoadsOnlyMidiFiles) {
  const std::string oversized = Write("oversized.mid", SmallMidiFile());
  fs::resize_file(oversized, kMaxMidiFileBytes + 1);
  const struct {
    const char* name;
    std::string path;
    bool loads;
  } cases[] = {
      {"a MIDI file", midi, true},
      {"no such file", (dir / "missing.mid").string(), false},
      {"an empty file", Write("empty.mid", ""), false},
      {"text", Write("readme.txt", "MIDI? No."), false},
      {"a MIDI header on a huge file", oversized, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FluidSynthEngine engine;
    EXPECT_EQ(engine.Load(c.path), c.loads);
    EXPECT_EQ(engine.HasMusic(), c.loads);
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
