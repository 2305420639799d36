#include "platform/linux/FluidSynthMusic.h"

namespace zorvanel::platform {

bool FluidSynthMusic::PrepareEngine() {
  if (prepared_) return driver_ != nullptr;
  prepared_ = true;
  if (!options_.audioDriver.empty() &&
      fluid_settings_setstr(engine_.settings(), "audio.driver", options_.audioDriver.c_str()) ==
          FLUID_FAILED) {
    return false;
  }
  if (!engine_.Prepare(options_.soundFont)) return false;
  // With no audio device this is null: then there is no engine at all, as
  // the player would otherwise claim to be playing for ever.
  driver_.reset(new_fluid_audio_driver(engine_.settings(), engine_.synth()));
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
