#pragma once
#include <cstdint>

namespace zorvanel::app {

// How far each hidden code typed on the tab strip has been matched, and what
// it has unlocked. Never saved.
struct TypedCodeState {
  std::int16_t UnlockPos = 1;
  std::int16_t SwitchPos = 1;
  std::int16_t ReadmePos = 1;
  std::int16_t EggPos = 1;
  bool CodesUnlocked = false;
  bool MusicLoaded = false;
};

}  // namespace zorvanel::app
