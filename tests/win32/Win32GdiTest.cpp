#include "platform/win32/Win32Gdi.h"

#include <gtest/gtest.h>

namespace zorvanel::win32 {
namespace {

TEST(Win32Gdi, TwipsBecomePixelsAtTheScreensDpi) {
  struct Case {
    int twips, dpi, pixels;
  };
  // The main window's client area is 393 x 449 pixels at 96 DPI.
  const Case cases[] = {{5895, 96, 393}, {6735, 96, 449}, {15, 96, 1},  {7, 96, 0},
                        {8, 96, 1},      {5895, 120, 491}, {1440, 144, 144}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.twips) + " twips at " + std::to_string(c.dpi));
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels);
  }
}

TEST(Win32Gdi, PointSizesBecomeCharacterHeights) {
  EXPECT_EQ(FontHeight(8.25, 96), -11);
  EXPECT_EQ(FontHeight(14.25, 96), -19);
  EXPECT_EQ(FontHeight(8.25, 120), -14);
}

}  // namespace
}  // namespace zorvanel::win32
