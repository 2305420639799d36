#include "platform/win32/Win32Gdi.h"

#include <cmath>

namespace zorvanel::win32 {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72.0;
constexpr const char* kFontFace = "Tahoma";
}  // namespace

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, dpi, kTwipsPerInch); }

int FontHeight(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

Gdi::Gdi(int dpi) : dpi_(dpi) {}

Gdi::~Gdi() {
  for (auto& [color, brush] : brushes_) ::DeleteObject(brush);
  for (auto& [key, font] : fonts_) ::DeleteObject(font);
}

int Gdi::ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

RECT Gdi::PixelRect(const ui::Rect& twips) const {
  const int left = Pixels(twips.left);
  const int top = Pixels(twips.top);
  return RECT{left, top, left + Pixels(twips.width), top + Pixels(twips.height)};
}

// The system colours are read when used, so they follow the user's scheme.
COLORREF Gdi::Resolve(ui::Color color) {
  switch (color.source) {
    case ui::Color::Source::Rgb:
      return RGB((color.rgb >> 16) & 0xFF, (color.rgb >> 8) & 0xFF, color.rgb & 0xFF);
    case ui::Color::Source::WindowText: return ::GetSysColor(COLOR_WINDOWTEXT);
    case ui::Color::Source::ButtonFace: return ::GetSysColor(COLOR_BTNFACE);
    case ui::Color::Source::ButtonShadow: return ::GetSysColor(COLOR_BTNSHADOW);
  }
  return ::GetSysColor(COLOR_WINDOWTEXT);
}

HBRUSH Gdi::Brush(ui::Color color) {
  const COLORREF rgb = Resolve(color);
  auto [it, added] = brushes_.try_emplace(rgb, nullptr);
  if (added) it->second = ::CreateSolidBrush(rgb);
  return it->second;
}

HFONT Gdi::Font(const ui::Font& font) {
  const int height = FontHeight(font.points, dpi_);
  auto [it, added] = fonts_.try_emplace(std::tuple{height, font.bold, font.underline}, nullptr);
  if (added) {
    it->second = ::CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                               font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, kFontFace);
  }
  return it->second;
}

}  // namespace zorvanel::win32
