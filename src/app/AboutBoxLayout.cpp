#include "app/AboutBoxLayout.h"

#include <string>

#include "app/Maker.h"
#include "app/ProductKey.h"
#include "app/WindowNames.h"

namespace zorvanel::app {

namespace {

using ui::Align;
using ui::Color;
using ui::ControlKind;
using ui::Font;
using ui::kBlack;
using ui::kGrey;
using ui::kLightRed;

constexpr Color kSilver = Color::FromRgb(0xC0C0C0);
constexpr Color kLinkBlue = Color::FromRgb(0x8080FF);
constexpr Font kTitle{14.25, false, false};
constexpr Font kBanner{12, true, true};
constexpr Font kText{9.75, false, false};
constexpr Font kLink{9.75, false, true};

// Every label sits on the window's black unless it says otherwise.
ui::WindowLayout BuildLayout() {
  using std::string;
  return {
      .name = kAboutBox,
      .caption = "About...",
      .clientWidth = 4455,
      .clientHeight = 2640,
      .background = kBlack,
      .showInTaskbar = false,
      .controls = {
          {.name = "Image1", .kind = ControlKind::Image, .twips = {120, 240, 480, 480}},
          {.name = "Label5", .twips = {720, 120, 3615, 375}, .text = kProductName,
           .fore = kLightRed, .back = kBlack, .font = kTitle},
          {.name = "Label6", .twips = {720, 480, 3615, 255},
           .text = string("Version ") + kProgramVersion, .fore = ui::kRed, .back = kBlack},
          {.name = "Label1", .twips = {120, 840, 4215, 345},
           .text = string("Developed by ") + kMakerDomain, .fore = kBlack, .back = kSilver,
           .font = kBanner, .align = Align::Center},
          {.name = "Label2", .twips = {120, 1320, 4215, 255},
           .text = string("Programmer/Developer: ") + kDeveloperName, .fore = kSilver,
           .back = kBlack, .font = kText, .align = Align::Center},
          {.name = "Line1", .kind = ControlKind::Line, .twips = {120, 1680, 4200, 0},
           .fore = kGrey},
          {.name = "LbLink", .twips = {1200, 1800, 2055, 255}, .text = kMakerHost,
           .fore = kLinkBlue, .back = kBlack, .font = kLink, .align = Align::Center},
          {.name = "Line3", .kind = ControlKind::Line, .twips = {120, 2160, 4200, 0},
           .fore = kGrey},
          {.name = "Label7", .twips = {480, 2280, 1095, 255}, .text = "Problems? -",
           .fore = kSilver, .back = kBlack, .font = kText},
          {.name = "LbMail", .twips = {1560, 2280, 2415, 255}, .text = kMakerContact,
           .fore = kLinkBlue, .back = kBlack, .font = kLink},
      }};
}

}  // namespace

const ui::WindowLayout& AboutBoxLayout() {
  static const ui::WindowLayout layout = BuildLayout();
  return layout;
}

}  // namespace zorvanel::app
