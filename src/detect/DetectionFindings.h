#pragma once
#include <cstdint>
#include <string>

namespace zorvanel::detect {

// What one run of detection found out, handed from the walk over the
// driver's keys to the evaluation that decides what the user may do.
struct DetectionFindings {
  bool NotNtPlatform = false;
  bool DriverMissing = false;      // no service key
  bool VersionUnknown = false;     // the chain to the version value broke, or it was unreadable
  bool FormatUnsupported = false;  // no compressed mode format, version below 50.00
  bool FormatInactive = false;     // compressed mode format possible but switched off
  bool DriverTooNew = false;       // 50.00 and up: the driver has its own override
  std::string VersionText;         // DriverVersion as read
  std::int16_t VersionNumber = 0;  // 4523 for 45.23; 0 when not read
  std::string EnumPath;
  std::string ClassKey;
};

}  // namespace zorvanel::detect
