#pragma once

namespace zorvanel::app {

inline constexpr const char* kMainframe = "frmMainframe";
inline constexpr const char* kAboutBox = "frmAboutBox";

}  // namespace zorvanel::app
