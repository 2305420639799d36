#pragma once
// The music behind the easter egg: an engine prepared once, one piece of
// music loaded by name, played while the program goes on.

#include <string_view>

#include "platform/services/Music.h"
#include "platform/ui/MessageBoxes.h"

namespace zorvanel::app {

inline constexpr const char* kNoMusicEngineText = "Could not load DirectMusic.";
inline constexpr const char* kNoMusicEngineTitle = "Error";
inline constexpr const char* kNoMusicFileText = "ERROR : Could not load MIDI file!";
inline constexpr const char* kNoMusicFileTitle = "ERROR!";

class mdlDMusic {
 public:
  mdlDMusic(platform::MusicApi& api, ui::MessageBoxes& boxes) : api_(api), boxes_(boxes) {}

  // Prepares the engine on the default output, or says it cannot.
  void InitMusic();
  // Loads the music; without a prepared engine this fails too. A failure is
  // reported and leaves no music loaded.
  void LoadMusicFile(std::string_view fileName);
  bool SegmentLoaded() const { return segmentLoaded_; }
  bool IsMusicPlaying();
  // Plays the loaded music once from its start; failures pass silently.
  void PlayMusic();

 private:
  platform::MusicApi& api_;
  ui::MessageBoxes& boxes_;
  bool engineReady_ = false;
  bool segmentLoaded_ = false;
};

}  // namespace zorvanel::app
