#include "platform/linux/FluidSynthEngine.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zorvanel::platform {

FluidSynthEngine::FluidSynthEngine() : settings_(new_fluid_settings()) {}

bool FluidSynthEngine::Prepare(const std::string& soundFont) {
  if (!settings_) return false;
  synth_.reset(new_fluid_synth(settings_.get()));
  if (!synth_) return false;
  if (fluid_synth_sfload(synth_.get(), soundFont.c_str(), 1) == FLUID_FAILED) {
    synth_.reset();
    return false;
  }
  return true;
}

// FluidSynth's player takes any bytes and fails later, silently, so the file
// is checked here first.
bool FluidSynthEngine::Load(std::string_view fileName) {
  music_.clear();
  const std::string name(fileName);
  std::error_code error;
  const auto size = std::filesystem::file_size(name, error);
  if (error || size > kMaxMidiFileBytes || !fluid_is_midifile(name.c_str())) return false;
  std::ifstream in(name, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  if (in.bad() || bytes.empty()) return false;
  music_ = std::move(bytes);
  return true;
}

bool FluidSynthEngine::Start() {
  if (!synth_ || music_.empty()) return false;
  // A fresh player starts at the beginning, whatever became of the last one;
  // notes the last one left sounding are silenced.
  player_.reset();
  fluid_synth_all_notes_off(synth_.get(), -1);
  player_.reset(new_fluid_player(synth_.get()));
  if (!player_) return false;
  if (fluid_player_add_mem(player_.get(), music_.data(), music_.size()) == FLUID_FAILED ||
      fluid_player_play(player_.get()) == FLUID_FAILED) {
    player_.reset();
    return false;
  }
  return true;
}

bool FluidSynthEngine::Running() const {
  return player_ && fluid_player_get_status(player_.get()) == FLUID_PLAYER_PLAYING;
}

}  // namespace zorvanel::platform
