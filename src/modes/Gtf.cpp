#include "modes/Gtf.h"

#include <cmath>

namespace zorvanel::modes {

namespace {

// The formula's default parameters.
constexpr double kCellPixels = 8;
constexpr double kMinPorchLines = 1;
constexpr double kMinSyncAndBackPorchMicroseconds = 550;
constexpr double kOffsetPercent = 40;     // C
constexpr double kGradientPercent = 600;  // M, %/kHz
constexpr double kBlankingScale = 128;    // K
constexpr double kScaledWeighting = 20;   // J

// The sync widths (3 lines, 8 % of the line) only place the pulses: neither
// figure here depends on them.

// C and M with the blanking formula's scaling applied.
constexpr double kScaledOffset =
    (kOffsetPercent - kScaledWeighting) * kBlankingScale / 256 + kScaledWeighting;
constexpr double kScaledGradient = kBlankingScale / 256 * kGradientPercent;

}  // namespace

Timing GtfTiming(int width, int height, double verticalHz) {
  const double activePixels = std::round(width / kCellPixels) * kCellPixels;
  const double activeLines = height;
  // Estimate the line period from the field period less the minimum
  // sync-plus-back-porch time, then correct it by the rate this gives.
  const double estimatedPeriod = (1 / verticalHz - kMinSyncAndBackPorchMicroseconds / 1e6) /
                                 (activeLines + kMinPorchLines) * 1e6;
  const double syncAndBackPorchLines =
      std::round(kMinSyncAndBackPorchMicroseconds / estimatedPeriod);
  const double totalLines = activeLines + syncAndBackPorchLines + kMinPorchLines;
  const double estimatedRate = 1e6 / estimatedPeriod / totalLines;
  const double linePeriod = estimatedPeriod / (verticalHz / estimatedRate);  // microseconds

  const double dutyCycle = kScaledOffset - kScaledGradient * linePeriod / 1000;
  const double blankPixels =
      std::round(activePixels * dutyCycle / (100 - dutyCycle) / (2 * kCellPixels)) *
      (2 * kCellPixels);
  return {.horizontalKHz = 1000 / linePeriod,
          .pixelClockMHz = (activePixels + blankPixels) / linePeriod};
}

}  // namespace zorvanel::modes
