// libFuzzer target for the EDID parser: any bytes must parse or be refused
// without a crash or a sanitizer report, and limits it accepts must be
// ordered and usable for every mode check.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "detect/Edid.h"
#include "modes/MonitorLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto edid = zorvanel::detect::ParseEdid(std::span(data, size));
  if (!edid || !edid->limits) return 0;
  const auto& limits = *edid->limits;
  if (limits.minVerticalHz > limits.maxVerticalHz ||
      limits.minHorizontalKHz > limits.maxHorizontalKHz) {
    std::fprintf(stderr, "edid_fuzzer: limits out of order\n");
    std::abort();
  }
  zorvanel::modes::LimitsText(limits);
  for (const auto& resolution : zorvanel::modes::kResolutions) {
    for (int hertz : {60, 85, 240}) zorvanel::modes::Breach({limits}, resolution, hertz);
  }
  return 0;
}
