#include "platform/linux/ModuleMusic.h"

#include <dlfcn.h>

#include <iostream>

namespace zorvanel::platform {

ModuleMusic::ModuleMusic(std::string modulePath, std::string soundFont, std::string audioDriver)
    : modulePath_(std::move(modulePath)),
      soundFont_(std::move(soundFont)),
      audioDriver_(std::move(audioDriver)) {}

// The module itself stays loaded: the sound libraries behind it (GLib among
// them) are not made to be unloaded from a running process.
ModuleMusic::~ModuleMusic() = default;

std::unique_ptr<MusicApi> ModuleMusic::LoadEngine() const {
  void* module = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto make = module ? reinterpret_cast<MakeMusicFunction>(dlsym(module, kMusicModuleEntry))
                     : nullptr;
  if (!make) {
    const char* reason = dlerror();
    std::cerr << "zorvanel: no music module: " << (reason ? reason : modulePath_) << '\n';
    return nullptr;
  }
  const MusicModuleOptions options{soundFont_.c_str(), audioDriver_.c_str()};
  return std::unique_ptr<MusicApi>(make(&options));
}

bool ModuleMusic::PrepareEngine() {
  if (prepared_) return ready_;
  prepared_ = true;
  engine_ = LoadEngine();
  ready_ = engine_ && engine_->PrepareEngine();
  return ready_;
}

bool ModuleMusic::LoadFile(std::string_view fileName) {
  return ready_ && engine_->LoadFile(fileName);
}

bool ModuleMusic::IsPlaying() { return ready_ && engine_->IsPlaying(); }

void ModuleMusic::Play() {
  if (ready_) engine_->Play();
}

}  // namespace zorvanel::platform
