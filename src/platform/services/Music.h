#pragma once
#include <string_view>

namespace zorvanel::platform {

// A music engine that plays a MIDI file asynchronously while the program goes on.
class MusicApi {
 public:
  virtual ~MusicApi() = default;
  // Prepares the engine on the default output; false when there is none.
  virtual bool PrepareEngine() = 0;
  // Loads the file (a name relative to the current directory); false when it
  // cannot be loaded.
  virtual bool LoadFile(std::string_view fileName) = 0;
  virtual bool IsPlaying() = 0;
  // Plays the loaded music once from its start, without waiting.
  virtual void Play() = 0;
};

}  // namespace zorvanel::platform
