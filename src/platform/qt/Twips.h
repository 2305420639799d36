#pragma once
// Layouts are drawn in twips (1/1440 inch); the screen counts pixels at its
// logical DPI, so 96 DPI gives 15 twips a pixel.

#include <QRect>
#include <cmath>

#include "platform/ui/Layout.h"

namespace zorvanel::qt {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kStandardDpi = 96.0;

inline int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

// Each edge is rounded on its own, so controls that meet in twips meet on
// screen too.
inline QRect TwipsToPixels(const ui::Rect& twips, double dpi) {
  const int left = TwipsToPixels(twips.left, dpi);
  const int top = TwipsToPixels(twips.top, dpi);
  return {left, top, TwipsToPixels(twips.left + twips.width, dpi) - left,
          TwipsToPixels(twips.top + twips.height, dpi) - top};
}

inline int PointsToPixels(double points, double dpi) {
  return static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

}  // namespace zorvanel::qt
