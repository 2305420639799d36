// Windows' own services (Wine in CI): the platform query, the music, and the
// twips-to-pixels arithmetic of the native toolkit.

#include <gtest/gtest.h>

#include <array>

#include "platform/services/SystemInfo.h"
#include "platform/win32/Win32Gdi.h"
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

TEST(Win32Gdi, TwipsBecomePixelsAndPointSizesCharacterHeightsAtTheScreensDpi) {
  // The main window's client area is 393 x 449 pixels at 96 DPI.
  for (auto [twips, dpi, pixels] : {std::array{5895, 96, 393}, {6735, 96, 449}, {15, 96, 1},
                                    {7, 96, 0}, {8, 96, 1}, {5895, 120, 491}, {1440, 144, 144}}) {
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;
  }
  EXPECT_EQ(FontHeight(8.25, 96), -11);
  EXPECT_EQ(FontHeight(14.25, 96), -19);
  EXPECT_EQ(FontHeight(8.25, 120), -14);
}

}  // namespace
}  // namespace zorvanel::win32
