#pragma once
// What the native windows draw with: twips turned into pixels at the
// screen's DPI, the layouts' colours, and the fonts and brushes made from
// them, each made once and kept until the toolkit goes.

#include <map>
#include <tuple>

#include "platform/ui/Color.h"
#include "platform/ui/Layout.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

// A length in twips (1/1440 inch) as pixels at dpi dots per inch, rounded.
int TwipsToPixels(int twips, int dpi);

// The layouts' point sizes as a font height in pixels (negative: the
// character height, without the internal leading), rounded.
int FontHeight(double points, int dpi);

class Gdi {
 public:
  explicit Gdi(int dpi);
  ~Gdi();
  Gdi(const Gdi&) = delete;
  Gdi& operator=(const Gdi&) = delete;

  // The DPI of the screen the program runs on.
  static int ScreenDpi();

  int Pixels(int twips) const { return TwipsToPixels(twips, dpi_); }
  RECT PixelRect(const ui::Rect& twips) const;
  static COLORREF Resolve(ui::Color color);
  HBRUSH Brush(ui::Color color);
  // Tahoma at the font's size and style.
  HFONT Font(const ui::Font& font);

 private:
  int dpi_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::map<std::tuple<int, bool, bool>, HFONT> fonts_;
};

}  // namespace zorvanel::win32
