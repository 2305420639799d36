#include "platform/win32/WinmmMusic.h"

#include <string>

#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

namespace {

constexpr const char* kAlias = "zorvanel_music";

bool Mci(const std::string& command, std::string* reply = nullptr) {
  char buffer[128] = {};
  const MCIERROR error = ::mciSendStringA(command.c_str(), buffer, sizeof buffer, nullptr);
  if (reply) *reply = buffer;
  return error == 0;
}

}  // namespace

WinmmMusic::~WinmmMusic() {
  if (loaded_) Mci(std::string("close ") + kAlias);
}

// Without a MIDI output device there is nothing to play on: some systems
// then still open the sequencer and report it playing for ever.
bool WinmmMusic::PrepareEngine() {
  engine_ = ::midiOutGetNumDevs() > 0;
  return engine_;
}

// The file's name does not say it holds MIDI, so the device type is named.
bool WinmmMusic::LoadFile(std::string_view fileName) {
  if (!engine_ || loaded_) return loaded_;
  loaded_ = Mci("open \"" + std::string(fileName) + "\" type sequencer alias " + kAlias);
  return loaded_;
}

bool WinmmMusic::IsPlaying() {
  std::string mode;
  return loaded_ && Mci(std::string("status ") + kAlias + " mode", &mode) && mode == "playing";
}

// Without "wait" the sequencer plays on while the program goes on.
void WinmmMusic::Play() {
  if (loaded_) Mci(std::string("play ") + kAlias + " from 0");
}

}  // namespace zorvanel::win32
