#pragma once
// What detection writes on the System information page and the message
// boxes of detection and of the manual version choice.

namespace zorvanel::detect::texts {

inline constexpr const char* kWindowsNt = "Windows NT/2000/XP";
inline constexpr const char* kYes = "Yes";
inline constexpr const char* kNo = "No";
// Shown in the format labels of a driver too new to need the fix.
inline constexpr const char* kNotApplicable = "-";

// Where the label's first line ends and the key's own name begins.
inline constexpr const char* kLineBreak = "\r\n";

// The summaries, each the whole text of lblSummary.
inline constexpr const char* kNotNtPlatform =
    "CRITICAL: You need a Windows NT platform such as NT/2000/XP to run this tool, since the 60 "
    "Hz bug does not exist on Non-NT operatings systems.";
inline constexpr const char* kDriverMissing =
    "CRITICAL: The Detonator driver was not found on your system. This patch does only work with "
    "the \"nVidia Detonator driver\" and it was tested with the official version.";
inline constexpr const char* kFormatUnsupported =
    "CRITICAL: A Detonator driver was found, though it does not support the new compressed mode "
    "format. Please obtain the newest official \"nVidia Detonator driver\" from "
    "\"http://www.nvidia.com\".";
inline constexpr const char* kDriverTooNew =
    "CRITICAL: The Detonator driver, you are using does not need a refresh rate fix anymore. "
    "Since official Detonator 52.16, nVidia is providing their own refresh rate override option, "
    "that is located in the nVidia control panel. This option finally affects both OpenGL and "
    "Direct3D.";
inline constexpr const char* kVersionUnknown =
    "WARNING: Somehow the detonator driver was detected, but the fix tool could not parse the "
    "registry for its version.\r\n\r\nAnyway, it is possible to choose refresh rates, but "
    "therefore you have to manually choose the detonator version that is most appropriate for "
    "you:";
inline constexpr const char* kFormatInactive =
    "WARNING: Unusually, your driver does not have the new compressed mode format activated. The "
    "tool can activate it, but take it as a warning.";

// What lblMonitor says when no limits are known, and the name of a monitor
// whose EDID names no product.
inline constexpr const char* kMonitorNotFound = "not found";
inline constexpr const char* kEdidUnreadable = "EDID unreadable";
inline constexpr const char* kNoRangeLimits = "no range limits";
inline constexpr const char* kUnnamedMonitor = "(unnamed)";
// "2 monitors: " and the limits all of them take.
inline constexpr const char* kMonitorCount = " monitors: ";
// Between a monitor's name and its limits.
inline constexpr const char* kMonitorSeparator = ": ";

inline constexpr const char* kBackupsDeleted =
    "A new version of the Detonator driver was found, since this tool detected your Detonator "
    "version last time. Old backups of your refresh settings will not be available anymore.";
inline constexpr const char* kBackupsDeletedTitle = "Old backups were deleted.";

inline constexpr const char* kInstallationDamaged =
    "The Detonator was not detected correctly. You won't be able to load or save backups of your "
    "current refresh rate settings.";
inline constexpr const char* kInstallationDamagedTitle = "Detonator installation damaged?";

inline constexpr const char* kVersionChoiceWarning =
    "This will enable the \"Settings\" page, which will allow you to set refresh rates.\r\n\r\n"
    "IF YOU ARE NOT SURE, WHICH DETONATOR VERSION IS INSTALLED, CHOOSING A WRONG VERSION AND "
    "EXECUTING THE FIX WOULD INCREASE THE RISK OF HARDWARE DAMAGE! I WILL NOT TAKE ANY "
    "RESPONSIBILITY!";
inline constexpr const char* kVersionChoiceWarningTitle = "Choice of Detoantor version";

}  // namespace zorvanel::detect::texts
