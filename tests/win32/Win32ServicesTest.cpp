// The platform query and the music on Windows itself (Wine in CI).

#include <gtest/gtest.h>

#include "platform/services/SystemInfo.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/WindowsApi.h"
#include "platform/win32/WinmmMusic.h"

namespace zorvanel::win32 {
namespace {

TEST(Win32Services, ThePlatformIsWindowsNt) {
  EXPECT_EQ(Win32SystemInfo().PlatformId(), platform::kPlatformWin32Nt);
}

// Without a MIDI output device the sequencer would report playing for ever:
// the engine counts as missing, and no file is loaded or played after that.
TEST(Win32Services, WithoutAMidiDeviceThereIsNoMusicEngine) {
  if (::midiOutGetNumDevs() > 0) GTEST_SKIP() << "this machine has a MIDI output device";
  WinmmMusic music;
  EXPECT_FALSE(music.PrepareEngine());
  EXPECT_FALSE(music.LoadFile("refresh.dat"));
  music.Play();
  EXPECT_FALSE(music.IsPlaying());
}

}  // namespace
}  // namespace zorvanel::win32
