#pragma once
#include <cstdint>

namespace zorvanel::ui {

// A colour as the layouts name it: a fixed #RRGGBB or one of the system's
// colours, which every toolkit resolves in its own way.
struct Color {
  enum class Source : std::uint8_t { Rgb, WindowText, ButtonFace, ButtonShadow };
  Source source = Source::WindowText;
  std::uint32_t rgb = 0;  // 0xRRGGBB, used when source is Rgb

  static constexpr Color FromRgb(std::uint32_t value) { return {Source::Rgb, value}; }
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack = Color::FromRgb(0x000000);
inline constexpr Color kRed = Color::FromRgb(0xFF0000);
inline constexpr Color kLightRed = Color::FromRgb(0xFF8080);
inline constexpr Color kDarkRed = Color::FromRgb(0xC00000);
inline constexpr Color kGrey = Color::FromRgb(0x808080);
inline constexpr Color kWindowText{Color::Source::WindowText, 0};
inline constexpr Color kButtonFace{Color::Source::ButtonFace, 0};
inline constexpr Color kButtonShadow{Color::Source::ButtonShadow, 0};

}  // namespace zorvanel::ui
