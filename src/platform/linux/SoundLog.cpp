#include "platform/linux/SoundLog.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <iostream>

namespace zorvanel::platform {

namespace {

void FromFluidSynth(int /*level*/, const char* /*message*/, void* /*data*/) {}

void FromAlsa(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
              const char* /*format*/, ...) {}

}  // namespace

void RouteSoundLibraryMessages() {
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    fluid_set_log_function(level, FromFluidSynth, nullptr);
  }
  snd_lib_error_set_handler(FromAlsa);
}

void ReportMusicProblem(const std::string& text) { std::cerr << "zorvanel: " << text << '\n'; }

}  // namespace zorvanel::platform
