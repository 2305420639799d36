#pragma once
// Music from the engine module, loaded the first time music is asked for.
// A module that is missing or cannot be loaded is no engine, as no audio
// output is.

#include <memory>
#include <string>

#include "platform/linux/MusicModule.h"

namespace zorvanel::platform {

class ModuleMusic : public MusicApi {
 public:
  // The options are the module's (empty: its defaults).
  explicit ModuleMusic(std::string modulePath, std::string soundFont = {},
                       std::string audioDriver = {});
  ~ModuleMusic() override;

  // Loads the module and prepares its engine. Tried once: later calls give
  // the first answer.
  bool PrepareEngine() override;
  bool LoadFile(std::string_view fileName) override;
  bool IsPlaying() override;
  void Play() override;

 private:
  // The engine, or null with the reason on the error output.
  std::unique_ptr<MusicApi> LoadEngine() const;

  std::string modulePath_;
  std::string soundFont_;
  std::string audioDriver_;
  bool prepared_ = false;
  bool ready_ = false;
  std::unique_ptr<MusicApi> engine_;
};

}  // namespace zorvanel::platform
