#pragma once
// The texts of the start-up sequence's message boxes.

namespace zorvanel::app::messages {

// The version-conflict question quotes the window's caption between these.
inline constexpr const char* kVersionConflictBefore =
    "You previously installed another (maybe older) version of Zorvanel. This version is ";
inline constexpr const char* kVersionConflictAfter =
    ". The program won't run properly if the old settings aren't replaced. Do you want to "
    "continue by deleting the old settings?";
inline constexpr const char* kVersionConflictTitle = "Version conflict";

inline constexpr const char* kSettingsDeleted = "The old settings have been deleted.";
inline constexpr const char* kSettingsDeletedTitle = "Settings";

}  // namespace zorvanel::app::messages
