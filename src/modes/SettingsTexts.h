#pragma once
// The message boxes of the Settings page: Apply, the writer, backup and
// restore. Texts are the program's own, word for word; a line break is a
// carriage return and a line feed.

#include <string_view>

#include "platform/ui/MessageBoxes.h"

namespace zorvanel::modes::texts {

struct Box {
  std::string_view text;
  ui::Buttons buttons;
  ui::Icon icon;
  std::string_view title;
};

inline ui::Answer Show(ui::MessageBoxes& boxes, const Box& box) {
  return boxes.MessageBox(box.text, box.buttons, box.icon, box.title);
}

using enum ui::Buttons;
using enum ui::Icon;

// --- Apply.

inline constexpr Box kNoRateChosen{"You did not specify any refresh rate to set.", OK, Exclamation,
                                   "Error"};

inline constexpr std::string_view kRateWarningTitle = "Error";

inline constexpr std::string_view kHighRateWarningFirst =
    "WARNING: You selected a refresh rate above 85 Hz in one of the higher resolutions (640x480 "
    "and above). Windows NT systems or the Detonator driver have problems, providing refresh "
    "rates above 85 Hz. Proceed?";
inline constexpr std::string_view kHighRateWarningLast =
    "If you don't proceed, you should deselect all selected rates, that are higher than 85 Hz in "
    "the high resolution area and reapply.";
inline constexpr std::string_view kLowRateWarningFirst =
    "WARNING: You selected a refresh rate above 75 Hz in one of the lower resolutions "
    "(320x200-640x400). This is very dangerous, because the Detonator driver version has some "
    "serious problems with providing more than 75 Hz at these resolutions under Windows "
    "NT/2000/XP. Proceed?";
inline constexpr std::string_view kLowRateWarningLast =
    "If you don't proceed, you should deselect all selected rates, that are higher than 75 Hz in "
    "the low resolution area and reapply.";
// The question about choices beyond the monitor's limits: the limits, then
// one line per choice.
inline constexpr std::string_view kBeyondMonitorTitle = "Beyond your monitor";
inline constexpr std::string_view kBeyondMonitorFirst = "Your monitor reports these limits: ";
inline constexpr std::string_view kBeyondMonitorChoices = ". These choices are beyond them:";
inline constexpr std::string_view kBeyondMonitorLast =
    "\r\n\r\nA monitor driven beyond its limits shows no picture. Proceed anyway?";

// What both warnings say between their first and last lines, empty lines included.
inline constexpr std::string_view kRateWarningSymptoms =
    "\r\n\r\n"
    "If you proceed, you might experience some symptoms like...\r\n"
    "...still having 60 Hz or not the frequency, you specified.\r\n"
    "...an inability to select a desired resolution in the windows display properties or in a "
    "game or application, because it is not listed anymore.\r\n"
    "...Direct3D/OpenGL modes might only fill a part of the screen, although fullscreen mode is "
    "active.\r\n"
    "...finally, an inability to boot windows, due to an \"out of range\" error, although the "
    "specified settings are ok for your monitor.\r\n"
    "\r\n";

// --- Writing the mode table.

inline constexpr Box kTurnOnCompressedFormat{
    "Your driver is NOT using the compressed mode format. However, it is capable of using it. In "
    "order for the fix to work, compressed mode format must be used. Should the fix turn it on?",
    YesNo, Question, "Almost there"};

// The final confirmation quotes the table and names the key between these.
inline constexpr std::string_view kFinalTableCaption = "Resolution table:";
inline constexpr std::string_view kFinalKeyCaption = "Registry key:";
inline constexpr std::string_view kFinalKeyRoot = "HKEY_LOCAL_MACHINE\\";
inline constexpr std::string_view kFinalQuestion =
    "The tool has gathered enough information to alter the refresh rate settings. Note, that this "
    "action will delete your old refresh rate settings. Note also, that resolutions, which were "
    "not given a refresh rate setting by you, might not be available anymore after execution of "
    "this fix. Proceed on your own risk?";
inline constexpr std::string_view kFinalTitle = "The final frontier";

inline constexpr Box kWriteCompletion{
    "If no registry errors occured, everything should be fine. You'll have to reboot the system "
    "for the changes to take effect. Reboot now?",
    YesNo, Question, "Completion"};

// --- Backup and restore.

inline constexpr Box kBackupQuestion{
    "This will overwrite any backups, you eventually made until now.", YesNo, Question,
    "Make backup"};
inline constexpr Box kBackupComplete{
    "Your current internal Detonator refresh rate settings have been saved. You can restore them "
    "at any time by clicking the restore button.",
    OK, Information, "Backup complete"};
inline constexpr Box kBackupIncomplete{
    "The backup could not be completed. Your previous backup, if any, may have been partly "
    "overwritten.",
    OK, Exclamation, "Backup incomplete"};
inline constexpr Box kRestoreQuestion{
    "This will delete your current refresh rate settings. Proceed?", YesNo, Question,
    "Restore previously backuped settings."};
inline constexpr Box kRestoreCompletion{
    "If no registry errors occured, your old refresh rate settings should have been restored "
    "properly. You'll have to reboot the system for the changes to take effect. Reboot now?",
    YesNo, Question, "Completion"};

// --- The automatic undo.

inline constexpr Box kSafetyCopyFailed{
    "The automatic undo could not be prepared. Write the new rates without it?", YesNo,
    Exclamation, "Safety copy"};
inline constexpr Box kUnconfirmedRates{
    "Zorvanel changed the refresh rates and they have not been confirmed since. Undo them now?",
    YesNo, Question, "Unconfirmed refresh rates"};

// The question after a driver update lists the stored rates after this.
inline constexpr std::string_view kDriverUpdateQuestion =
    "Your refresh rates were set for the previous driver. Choose them again now?";
inline constexpr std::string_view kDriverUpdateTitle = "Driver update";

// On a Windows installation opened from Linux the completion questions
// close the program instead of restarting.
inline constexpr std::string_view kRebootQuestion =
    "You'll have to reboot the system for the changes to take effect. Reboot now?";
inline constexpr std::string_view kOfflineQuestion =
    "The changes take effect the next time this Windows starts. Close Zorvanel now?";
static_assert(kWriteCompletion.text.ends_with(kRebootQuestion));
static_assert(kRestoreCompletion.text.ends_with(kRebootQuestion));

}  // namespace zorvanel::modes::texts
