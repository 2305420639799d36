#include "app/TypedCodes.h"

#include <cstdint>
#include <string_view>

#include "app/ProgramEnd.h"
#include "app/WindowNames.h"
#include "app/frmMainframe.h"

namespace zorvanel::app {

namespace {

constexpr std::string_view kUnlockCode = "mortlequintar";
constexpr std::string_view kSwitchCode = "plovertusk";
constexpr std::string_view kReadmeCode = "hazelwick";
constexpr std::string_view kEggCode = "ombra7kel";

constexpr const char* kCheaterText = "Cheater!";
constexpr const char* kCheaterTitle = "Cheats enabled!";
constexpr const char* kNewbieText = "Read the fucking docs, called \"F.A.Q.\"! :-)";
constexpr const char* kNewbieTitle = "Newbie alert!";
constexpr const char* kGreetingText =
    "Tavrik sayz: \"Buggin' lunacy nVidia Direct3D!\r\n"
    "Voodoo people love Glide. :-)\"\r\n"
    "\r\n"
    "- Greetz from Tavrik!";
constexpr const char* kGreetingTitle = "Congratulations, you found an easter egg!";

constexpr const char* kMusicFile = "refresh.dat";
constexpr const char* kReadmeEditor = "notepad.exe";
constexpr const char* kReadmeFile = "readme.txt";

// Moves a code on by one key; true when the key completes it, which starts
// it over. A wrong key starts it over too, and does not count as its first
// character: the next attempt begins with the next key.
bool Advance(std::string_view code, std::int16_t& position, int key) {
  if (key != static_cast<unsigned char>(code[position - 1])) {
    position = 1;
    return false;
  }
  if (position < static_cast<std::int16_t>(code.size())) {
    ++position;
    return false;
  }
  position = 1;
  return true;
}

void ShowCheater(frmMainframe& window) {
  window.platform().ui.MessageBox(kCheaterText, ui::Buttons::OK, ui::Icon::Critical,
                                  kCheaterTitle);
  window.codes.CodesUnlocked = true;
}

// The owner of Notepad is the main window, whose handle is gone once it closes.
void OpenReadmeAndEnd(frmMainframe& window) {
  ui::Toolkit& ui = window.platform().ui;
  ui.MessageBox(kNewbieText, ui::Buttons::OK, ui::Icon::Critical, kNewbieTitle);
  const std::uintptr_t owner = ui.NativeHandle(kMainframe);
  CloseWindows(ui);
  window.platform().shell.ShellExecute(owner, "open", kReadmeEditor, kReadmeFile, "",
                                       platform::kShowMaximized);
  ui.EndProgram();
}

// The engine and the music are tried once per run, whatever came of it.
void ShowEasterEgg(frmMainframe& window) {
  mdlDMusic& music = window.music();
  if (!window.codes.MusicLoaded) {
    music.InitMusic();
    music.LoadMusicFile(kMusicFile);
  }
  window.codes.MusicLoaded = true;
  if (music.SegmentLoaded() && !music.IsMusicPlaying()) music.PlayMusic();
  window.platform().ui.MessageBox(kGreetingText, ui::Buttons::OK, ui::Icon::Exclamation,
                                  kGreetingTitle);
}

}  // namespace

void tbsMain_KeyPress(frmMainframe& window, int keyAscii) {
  if (window.form().SelectedTab("tbsMain") != 1) return;
  TypedCodeState& codes = window.codes;
  if (Advance(kUnlockCode, codes.UnlockPos, keyAscii)) ShowCheater(window);
  if (!codes.CodesUnlocked) return;
  if (Advance(kSwitchCode, codes.SwitchPos, keyAscii)) {
    window.form().SetVisible("cmdSwitchInfo", true);
  }
  if (Advance(kReadmeCode, codes.ReadmePos, keyAscii)) return OpenReadmeAndEnd(window);
  if (Advance(kEggCode, codes.EggPos, keyAscii)) ShowEasterEgg(window);
}

}  // namespace zorvanel::app
