#include "platform/linux/FluidSynthMusic.h"

#include "platform/linux/SoundLog.h"

namespace zorvanel::platform {

bool FluidSynthMusic::PrepareEngine() {
  if (prepared_) return driver_ != nullptr;
  prepared_ = true;
  RouteSoundLibraryMessages();
  if (!options_.audioDriver.empty() &&
      fluid_settings_setstr(engine_.settings(), "audio.driver", options_.audioDriver.c_str()) ==
          FLUID_FAILED) {
    ReportMusicProblem("no audio output: music disabled");
    return false;
  }
  if (!engine_.Prepare(options_.soundFont)) {
    ReportMusicProblem("cannot load the sound font " + options_.soundFont + ": music disabled");
    return false;
  }
  // With no audio device this is null: then there is no engine at all, as
  // the player would otherwise claim to be playing for ever.
  driver_.reset(new_fluid_audio_driver(engine_.settings(), engine_.synth()));
  if (!driver_) ReportMusicProblem("no audio output: music disabled");
  return driver_ != nullptr;
}

bool FluidSynthMusic::LoadFile(std::string_view fileName) {
  return driver_ && engine_.Load(fileName);
}

bool FluidSynthMusic::IsPlaying() { return driver_ && engine_.Running(); }

void FluidSynthMusic::Play() {
  if (driver_) engine_.Start();
}

}  // namespace zorvanel::platform
