#include "app/mdlDMusic.h"

namespace zorvanel::app {

void mdlDMusic::InitMusic() {
  engineReady_ = api_.PrepareEngine();
  if (!engineReady_) {
    boxes_.MessageBox(kNoMusicEngineText, ui::Buttons::OK, ui::Icon::Critical,
                      kNoMusicEngineTitle);
  }
}

void mdlDMusic::LoadMusicFile(std::string_view fileName) {
  segmentLoaded_ = engineReady_ && api_.LoadFile(fileName);
  if (!segmentLoaded_) {
    boxes_.MessageBox(kNoMusicFileText, ui::Buttons::OK, ui::Icon::Exclamation,
                      kNoMusicFileTitle);
  }
}

bool mdlDMusic::IsMusicPlaying() { return segmentLoaded_ && api_.IsPlaying(); }

void mdlDMusic::PlayMusic() {
  if (segmentLoaded_) api_.Play();
}

}  // namespace zorvanel::app
