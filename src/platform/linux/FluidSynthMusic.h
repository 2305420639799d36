#pragma once
// Music on a Linux desktop: FluidSynth with Debian's General MIDI sound font,
// playing on the default audio output while the program goes on.

#include <memory>
#include <string>

#include "platform/linux/FluidSynthEngine.h"
#include "platform/services/Music.h"

namespace zorvanel::platform {

struct FluidSynthOptions {
  std::string soundFont = kGeneralMidiSoundFont;
  // A FluidSynth audio driver by name; empty for FluidSynth's own choice.
  std::string audioDriver;
};

class FluidSynthMusic : public MusicApi {
 public:
  explicit FluidSynthMusic(FluidSynthOptions options = {}) : options_(std::move(options)) {}

  // No audio output, or no sound font, is no engine. Tried once: later calls
  // give the first answer.
  bool PrepareEngine() override;
  bool LoadFile(std::string_view fileName) override;
  // Without an output nothing plays, whatever the player says.
  bool IsPlaying() override;
  void Play() override;

 private:
  struct DriverDeleter {
    void operator()(fluid_audio_driver_t* driver) const { delete_fluid_audio_driver(driver); }
  };

  FluidSynthOptions options_;
  bool prepared_ = false;
  FluidSynthEngine engine_;
  // Goes first, so that no sound is pulled from an engine that is going.
  std::unique_ptr<fluid_audio_driver_t, DriverDeleter> driver_;
};

}  // namespace zorvanel::platform
