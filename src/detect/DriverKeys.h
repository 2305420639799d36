#pragma once
// Where the driver and Windows keep what detection reads, all under
// HKEY_LOCAL_MACHINE. The three roots end in a backslash: the name read from
// the registry follows directly.

namespace zorvanel::detect::keys {

inline constexpr const char* kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\nv";
inline constexpr const char* kFirstDevice = "\\Device0";
inline constexpr const char* kServiceEnum = "\\Enum";
inline constexpr const char* kFirstInstance = "\\0000";
inline constexpr const char* kDeviceParameters = "\\Device Parameters";

inline constexpr const char* kEnumRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
inline constexpr const char* kVideoRoot = "SYSTEM\\CurrentControlSet\\Control\\Video\\";
// Every monitor instance Windows has seen: DISPLAY\<monitor id>\<instance>.
inline constexpr const char* kMonitorRoot = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY";
// An instance attached in this session has this volatile subkey.
inline constexpr const char* kAttached = "\\Control";
inline constexpr const char* kEdid = "EDID";
inline constexpr const char* kClassRoot = "SYSTEM\\CurrentControlSet\\Control\\Class\\";

inline constexpr const char* kDeviceDescription = "Device Description";
inline constexpr const char* kFirstEnumEntry = "0";
inline constexpr const char* kVideoId = "VideoID";
inline constexpr const char* kClassGuid = "ClassGUID";
inline constexpr const char* kDriverVersion = "DriverVersion";
inline constexpr const char* kCompressedModeSwitch = "UseCompressedModeFormat";

}  // namespace zorvanel::detect::keys
