#pragma once
// Music through the Windows multimedia API: the MCI sequencer plays a MIDI
// file asynchronously and can be asked whether it is still playing.

#include "platform/services/Music.h"

namespace zorvanel::win32 {

class WinmmMusic : public platform::MusicApi {
 public:
  WinmmMusic() = default;
  ~WinmmMusic() override;
  WinmmMusic(const WinmmMusic&) = delete;
  WinmmMusic& operator=(const WinmmMusic&) = delete;

  bool PrepareEngine() override;
  bool LoadFile(std::string_view fileName) override;
  bool IsPlaying() override;
  void Play() override;

 private:
  bool engine_ = false;
  bool loaded_ = false;
};

}  // namespace zorvanel::win32
