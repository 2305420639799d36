// The module that carries the music engine on FluidSynth.

#include <type_traits>

#include "platform/linux/FluidSynthMusic.h"
#include "platform/linux/MusicModule.h"
#include "platform/linux/SoundLog.h"

using zorvanel::platform::MusicModuleOptions;

extern "C" zorvanel::platform::MusicApi*
zorvanel_make_music(const MusicModuleOptions* options) {
  using namespace zorvanel::platform;
  RouteSoundLibraryMessages();
  FluidSynthOptions engine;
  if (options && options->soundFont && *options->soundFont) engine.soundFont = options->soundFont;
  if (options && options->audioDriver) engine.audioDriver = options->audioDriver;
  return new FluidSynthMusic(std::move(engine));
}

// The program calls the export through this type.
static_assert(std::is_same_v<decltype(&zorvanel_make_music), zorvanel::platform::MakeMusicFunction>);
