#pragma once
// The timing the driver gives a mode that the monitor does not describe
// itself: the VESA Generalized Timing Formula with its default parameters,
// non-interlaced and without margins.

namespace zorvanel::modes {

struct Timing {
  double horizontalKHz = 0;
  double pixelClockMHz = 0;
};

Timing GtfTiming(int width, int height, double verticalHz);

}  // namespace zorvanel::modes
