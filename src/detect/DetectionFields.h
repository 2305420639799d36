#pragma once
#include <string>

namespace zorvanel::detect {

// What detection found out about the driver, kept by the main window for
// the rest of the run.
struct DetectionFields {
  std::string DriverKey;     // the driver's service key, or empty
  std::string AltDriverKey;  // the driver's video key, or empty
  bool UsesCompressedFormat = false;
  bool HexFormat = false;    // build the hexadecimal mode table
  bool UsesPrefix = false;   // open the hexadecimal table with "{*}"
  int OfferedRates = 13;     // how many rates the boxes list, from the slowest
};

}  // namespace zorvanel::detect
