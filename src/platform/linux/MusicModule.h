#pragma once
// The music engine is a module of its own, loaded when the easter egg first
// asks for music: FluidSynth and the sound libraries behind it (PulseAudio,
// JACK, ALSA, libsndfile, GLib) then cost a start of the program nothing.
// The module exports one function, named here, that makes its engine.

#include "platform/services/Music.h"

namespace zorvanel::platform {

// The engine's options as plain text, so that nothing but this pointer
// crosses between the program and the module. Null or empty: the default.
struct MusicModuleOptions {
  const char* soundFont = nullptr;
  const char* audioDriver = nullptr;
};

// The module's one export: a new engine, which the caller deletes.
inline constexpr const char* kMusicModuleEntry = "zorvanel_make_music";
using MakeMusicFunction = MusicApi* (*)(const MusicModuleOptions* options);

}  // namespace zorvanel::platform
