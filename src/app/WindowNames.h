#pragma once

namespace zorvanel::app {

inline constexpr const char* kMainframe = "frmMainframe";
inline constexpr const char* kAboutBox = "frmAboutBox";
inline constexpr const char* kConfirm = "frmConfirm";
inline constexpr const char* kMonitorLimits = "frmMonitorLimits";

}  // namespace zorvanel::app
