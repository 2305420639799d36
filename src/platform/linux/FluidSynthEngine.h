#pragma once
// A FluidSynth synthesizer with a General MIDI sound font and one piece of
// music held in memory. It has no output of its own: whoever plays it
// attaches one (the default audio device, or a file renderer).

#include <fluidsynth.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::platform {

// Debian's General MIDI sound font (fluid-soundfont-gm).
inline constexpr const char* kGeneralMidiSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// A MIDI file larger than this is not music this program plays.
inline constexpr std::uintmax_t kMaxMidiFileBytes = 16 * 1024 * 1024;

class FluidSynthEngine {
 public:
  FluidSynthEngine();

  // Settings may be changed until the synthesizer is created.
  fluid_settings_t* settings() { return settings_.get(); }
  // Null until Prepare has succeeded.
  fluid_synth_t* synth() { return synth_.get(); }

  // Creates the synthesizer and loads the sound font; false when either fails.
  bool Prepare(const std::string& soundFont);
  // Reads a MIDI file (a name relative to the current directory) into memory;
  // false, and no music, when it is not a readable MIDI file.
  bool Load(std::string_view fileName);
  bool HasMusic() const { return !music_.empty(); }
  // Starts the music from its beginning on a fresh player, without waiting.
  bool Start();
  // True while the player has music left to play; it runs only as fast as
  // the attached output pulls samples.
  bool Running() const;

 private:
  template <auto Delete>
  struct Deleter {
    template <typename T>
    void operator()(T* p) const { Delete(p); }
  };
  // Declared in the order they depend on each other, so they go in reverse.
  std::unique_ptr<fluid_settings_t, Deleter<delete_fluid_settings>> settings_;
  std::unique_ptr<fluid_synth_t, Deleter<delete_fluid_synth>> synth_;
  std::unique_ptr<fluid_player_t, Deleter<delete_fluid_player>> player_;
  std::vector<char> music_;
};

}  // namespace zorvanel::platform
