// The Mode texts of monitor INFs as vendors write them, and the broken ones
// that must be passed over.

#include <gtest/gtest.h>

#include "detect/ModeText.h"

namespace zorvanel::detect {
namespace {

TEST(ModeText, ReadsVendorsRangesAndRefusesBrokenOnes) {
  struct Row {
    const char* text;
    std::optional<RangeLimits> expected;  // horizontal and vertical only
  };
  auto range = [](double hLow, double hHigh, double vLow, double vHigh) {
    return RangeLimits{.minVerticalHz = vLow, .maxVerticalHz = vHigh,
                       .minHorizontalKHz = hLow, .maxHorizontalKHz = hHigh};
  };
  const Row rows[] = {
      {"31.0-65.0,55.0-120.0,+,+", range(31, 65, 55, 120)},
      {"30-80,56-75,+,+", range(30, 80, 56, 75)},
      {"31-83.0,55.0-76.0,+,+", range(31, 83, 55, 76)},
      {"30.0-83.0,56.0-75.0,+,+", range(30, 83, 56, 75)},
      {"31.5-64.0,56.0-75.0,-,+", range(31.5, 64, 56, 75)},
      {"30-80,56-75", range(30, 80, 56, 75)},             // polarities missing
      {"30-80,56-75,+", range(30, 80, 56, 75)},
      {" 30 - 80 , 60 ,+,+", range(30, 80, 60, 60)},        // one value: a range of it
      {"3l.0-94.0,55.0-160.0,+,+", std::nullopt},         // a letter
      {"31.0-94.0 55.0-160.0,+,+", std::nullopt},         // a missing comma
      {"31.0-94.0", std::nullopt},
      {"94.0-31.0,55.0-160.0,+,+", std::nullopt},         // min > max
      {"-31.0-94.0,55.0-160.0,+,+", std::nullopt},        // negative
      {"31.0-94.0,-55-160,+,+", std::nullopt},
      {"0-0,55.0-160.0,+,+", std::nullopt},               // a range of 0 kHz
      {"31.-94,55-160", std::nullopt},
      {"1e2-2e2,55-160", std::nullopt},
      {"31-94,55-160,x,+", std::nullopt},                 // not a polarity
      {"31-94,55-160,+,+,+", std::nullopt},
      {"31-94-100,55-160", std::nullopt},
      {"", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseModeText(row.text), row.expected);
  }
}

TEST(ModeText, ReadsSizeKeysAndPrintsDecimalsAsGiven) {
  EXPECT_EQ(ParseSizeKey("1600,1200"), (ScreenSize{1600, 1200}));
  for (const char* bad : {"Default", "1600x1200", "1600,", ",1200", "0,768", "-1024,768",
                          "1024,768,1", "+1024,768"}) {
    EXPECT_EQ(ParseSizeKey(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(DecimalText(31.5), "31.5");
  EXPECT_EQ(DecimalText(83.0), "83");
  EXPECT_EQ(DecimalText(230), "230");
}

}  // namespace
}  // namespace zorvanel::detect
