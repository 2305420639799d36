#include "app/MainframeLayout.h"

#include <array>
#include <tuple>

#include "modes/ModeLists.h"

namespace zorvanel::app {

namespace {

using ui::Align;
using ui::Color;
using ui::ControlKind;
using ui::ControlSpec;
using ui::Font;
using ui::Rect;

using ui::kDarkRed;
using ui::kLightRed;
constexpr Font kHeading{8.25, true, true};
constexpr Font kBold{8.25, true, false};

// Twips between rows of the rate grid, and the grid's first row.
constexpr int kRowPitch = 360;
constexpr int kFirstRowTop = 600;

ControlSpec Label(std::string name, std::string container, Rect at, std::string text) {
  return {.name = std::move(name), .kind = ControlKind::Label, .container = std::move(container),
          .twips = at, .text = std::move(text)};
}

ControlSpec Frame(std::string name, std::string container, Rect at, std::string caption) {
  return {.name = std::move(name), .kind = ControlKind::Frame, .container = std::move(container),
          .twips = at, .text = std::move(caption), .font = kHeading};
}

ControlSpec Page(std::string name, bool visible) {
  return {.name = std::move(name), .kind = ControlKind::Frame, .twips = {120, 360, 5655, 6255},
          .visible = visible, .borderless = true};
}

ControlSpec Rule(std::string name, std::string container, int x1, int y1, int x2, int y2) {
  return {.name = std::move(name), .kind = ControlKind::Line, .container = std::move(container),
          .twips = {x1, y1, x2 - x1, y2 - y1}, .fore = ui::kGrey};
}

ControlSpec Button(std::string name, std::string container, Rect at, std::string caption) {
  return {.name = std::move(name), .kind = ControlKind::Button, .container = std::move(container),
          .twips = at, .text = std::move(caption)};
}

// A value label of the System information page: right-aligned, "Not found".
ControlSpec Value(std::string name, std::string container, Rect at, bool red) {
  ControlSpec spec = Label(std::move(name), std::move(container), at, "Not found");
  spec.align = Align::Right;
  if (red) spec.fore = ui::kRed;
  return spec;
}

ControlSpec Menu(std::string name, std::string parent, std::string caption) {
  return {.name = std::move(name), .kind = ControlKind::Menu, .container = std::move(parent),
          .text = std::move(caption)};
}

void AddIntroductionPage(std::vector<ControlSpec>& c) {
  c.push_back(Page("fmeIntro", true));
  auto heading = [&](std::string name, int top, std::string text) {
    ControlSpec spec = Label(std::move(name), "fmeIntro", {0, top, 5655, 255}, std::move(text));
    spec.font = kHeading;
    c.push_back(std::move(spec));
  };
  heading("Label31", 0, "What is the Zorvanel?");
  c.push_back(Label(
      "Label2", "fmeIntro", {0, 240, 5655, 2535},
      "Up to version 45.23, nVidia's Detonator drivers for Windows 2000/XP gave you no way to "
      "choose the refresh rate of OpenGL and Direct3D programs. Games ran at 60 Hz, and a "
      "flickering 60 Hz monitor tires the eyes within the hour.\r\n\r\n"
      "nVidia has since built a refresh rate override for both OpenGL and Direct3D into its own "
      "drivers, so this tool has done its job and retires with this release.\r\n\r\n"
      "Thank you to everyone who used it, tested it and wrote in."));
  heading("Label1", 2880, "Why I programmed this tool...");
  c.push_back(Label(
      "Label32", "fmeIntro", {0, 3120, 5655, 1815},
      "After a driver update my monitor was stuck at 60 Hz in every game. I searched for a tool "
      "to set the rates back and found none that really worked, while more and more people "
      "asked for one, so I wrote my own.\r\n\r\n"
      "This is its final version: from Detonator 52.16 on, nVidia provides its own solution."));
  heading("Label3", 5040, "What does it do?");
  c.push_back(Label("Label4", "fmeIntro", {0, 5280, 5655, 495},
                    "This tool works with Detonator version 28.32 up to 45.23. It modifies the "
                    "registry settings, where nVidia keeps the refresh rate values."));
  c.push_back(Rule("Line1", "fmeIntro", 0, 5880, 5640, 5880));
  c.push_back(Label("Label34", "fmeIntro", {0, 6000, 5655, 255},
                    "Greetingz from Tavrik, Developer of this program."));
}

struct InfoRow {
  const char* caption;
  const char* captionLabel;
  const char* valueLabel;
  bool red;
};

// Caption on the left, right-aligned value filling the rest of the row.
void AddInfoRows(std::vector<ControlSpec>& c, const char* frame, const InfoRow* rows, int count,
                 int pitch, int height, int captionWidth) {
  for (int i = 0; i < count; ++i) {
    const int top = 240 + i * pitch;
    c.push_back(Label(rows[i].captionLabel, frame, {120, top, captionWidth, height},
                      rows[i].caption));
    const int left = 120 + captionWidth;
    c.push_back(Value(rows[i].valueLabel, frame, {left, top, 5535 - left, height}, rows[i].red));
  }
}

void AddSystemInformationPage(std::vector<ControlSpec>& c) {
  c.push_back(Page("fmeSysInfo", false));
  c.push_back(Frame("Frame19", "fmeSysInfo", {0, 0, 5655, 855}, "General:"));
  c.push_back(Label("Label5", "Frame19", {120, 240, 1695, 255}, "Operating system:"));
  ControlSpec os = Value("lblOS", "Frame19", {1815, 240, 3720, 255}, true);
  os.text = "Windows 95/98/ME";
  c.push_back(std::move(os));
  // The monitor's limits are long: its value takes most of the row, beside the
  // button that has the user type them in.
  c.push_back(Label("Label18", "Frame19", {120, 480, 735, 255}, "Monitor:"));
  ControlSpec monitor = Value("lblMonitor", "Frame19", {855, 480, 3840, 255}, false);
  monitor.text = "not found";
  c.push_back(std::move(monitor));
  c.push_back(Button("cmdMonitorLimits", "Frame19", {4755, 450, 780, 300}, "Change..."));

  ControlSpec switchInfo = Button("cmdSwitchInfo", "fmeSysInfo", {4560, 960, 975, 255}, "Advanced");
  switchInfo.visible = false;
  c.push_back(std::move(switchInfo));

  c.push_back(Frame("fmeDrvInfo", "fmeSysInfo", {0, 960, 5655, 1815}, "Driver information:"));
  static constexpr InfoRow kDriverRows[] = {
      {"Device description:", "Label8", "lblDeviceDesc", true},
      {"Detonator version:", "Label9", "lblDetVer", true},
      {"Capability of using compressed mode format:", "Label10", "lblFormatCapability", true},
      {"Uses compressed mode format:", "Label11", "lblFormatUsage", true},
      {"Uses hexadecimal compressed mode format:", "Label12", "lblFormatHexadecimal", true},
      {"Uses prefix:", "Label13", "lblFormatPrefix", false},
  };
  AddInfoRows(c, "fmeDrvInfo", kDriverRows, 6, 255, 255, 3255);

  ControlSpec registryFrame =
      Frame("fmeRegInfo", "fmeSysInfo", {0, 960, 5655, 1815}, "Registry information:");
  registryFrame.visible = false;
  c.push_back(std::move(registryFrame));
  static constexpr InfoRow kRegistryRows[] = {
      {"PCI:", "Label14", "lblPCI", true},
      {"Class:", "Label15", "lblClass", true},
      {"Video:", "Label16", "lblVideo", false},
      {"NV:", "Label17", "lblNV", true},
  };
  AddInfoRows(c, "fmeRegInfo", kRegistryRows, 4, 390, 390, 615);

  ControlSpec summary = Frame("Frame23", "fmeSysInfo", {0, 2880, 5655, 3375}, "Summary:");
  summary.fore = ui::kRed;
  c.push_back(std::move(summary));
  c.push_back(Label("lblSummary", "Frame23", {120, 240, 5415, 1695},
                    "The fix should work properly."));
  for (auto [name, left, caption] :
       {std::tuple{"obtVerError40", 120, "Detonator 40.41 or higher"},
        std::tuple{"obtVerError28", 2880, "Detonator 28.32 or higher"}}) {
    c.push_back({.name = name, .kind = ControlKind::OptionButton, .container = "Frame23",
                 .twips = {left, 1320, 2535, 255}, .text = caption, .visible = false});
  }
  c.push_back(Rule("Line2", "Frame23", 120, 1920, 5535, 1920));
  ControlSpec faq = Label(
      "Label6", "Frame23", {120, 2040, 5415, 1215},
      "Before you write an e-mail, please read the F.A.Q. first. If your problem is not answered "
      "there, describe your system configuration in detail: drivers, software and hardware.");
  faq.fore = ui::kRed;
  faq.font = kBold;
  c.push_back(std::move(faq));
}

// Rows of the rate grid: a caption label with the resolution's box on top.
void AddRateGrid(std::vector<ControlSpec>& c) {
  // Backgrounds: red for the common 4:3 resolutions, grey stripes between.
  static constexpr std::array<Color, modes::kResolutionCount> kRowBackground = {
      ui::kButtonFace, ui::kButtonShadow, ui::kButtonFace,   ui::kButtonShadow, ui::kButtonFace,
      ui::kButtonShadow, kLightRed,       ui::kButtonShadow, ui::kButtonFace,   kDarkRed,
      ui::kButtonFace, kDarkRed,          ui::kButtonFace,   ui::kButtonShadow, kLightRed,
      ui::kButtonShadow, ui::kButtonFace, ui::kButtonShadow, ui::kButtonFace};
  constexpr std::size_t kLeftRows = 12;
  std::vector<std::string> items{std::string(modes::kNoRate)};
  for (const auto& rate : modes::kRates) items.emplace_back(rate.text);

  for (std::size_t i = 0; i < modes::kResolutionCount; ++i) {
    const auto& resolution = modes::kResolutions[i];
    const bool left = i < kLeftRows;
    const int row = static_cast<int>(left ? i : i - kLeftRows);
    const int top = kFirstRowTop + row * kRowPitch;
    const int x = left ? 120 : 2880;
    std::string caption(resolution.box.substr(3));
    if (i < modes::kResolutionCount - 4) caption += ':';
    ControlSpec label = Label("lblRes" + caption.substr(0, caption.find(':')), "Frame25",
                              {x, top, 2655, 375}, caption);
    label.back = kRowBackground[i];
    c.push_back(std::move(label));
    c.push_back({.name = std::string(resolution.box), .kind = ControlKind::DropDownList,
                 .container = "Frame25", .twips = {x + 1080, top + 30, 1095, 315},
                 .text = std::string(modes::kNoRate), .items = items});
  }
}

void AddGridFrame(std::vector<ControlSpec>& c) {
  c.push_back(Frame("Frame25", "fmeSettings", {0, 0, 5655, 5175}, "Refresh rate settings:"));
  int n = 0;
  for (int x : {120, 2880}) {
    const std::string group = x == 120 ? "L" : "R";
    c.push_back(Label("lblResHeading" + group, "Frame25", {x, 240, 1035, 255}, "Res. (in Px):"));
    c.push_back(Label("lblRateHeading" + group, "Frame25", {x + 1080, 240, 1575, 255},
                      "Refr. Rates (in Hz):"));
    const int rows = x == 120 ? 12 : 7;
    const int bottom = kFirstRowTop + (rows - 1) * kRowPitch + 375 + 30;
    c.push_back(Rule("Line" + std::to_string(3 + n++), "Frame25", x, 200, x + 2655, 200));
    c.push_back(Rule("Line" + std::to_string(3 + n++), "Frame25", x, 540, x + 2655, 540));
    c.push_back(Rule("Line" + std::to_string(3 + n++), "Frame25", x + 1050, 200, x + 1050, bottom));
    c.push_back(Rule("Line" + std::to_string(3 + n++), "Frame25", x, bottom, x + 2655, bottom));
  }
  c.push_back(Rule("Line11", "Frame25", 2805, 200, 2805, 5040));
  AddRateGrid(c);
  c.push_back(Label("Label60", "Frame25", {2880, 3240, 2655, 255},
                    "(Red means: Common 4:3 resolution)"));
  ControlSpec noAuto = Label("Label7", "Frame25", {2880, 3540, 2655, 495},
                             "This tool does NOT support auto detection!");
  noAuto.fore = ui::kRed;
  c.push_back(std::move(noAuto));
  // Disabled until start-up finds what each needs: a monitor's limits, the driver.
  for (auto [name, top, caption] :
       {std::tuple{"cmdBestRates", 4080, "Best for my monitor"},
        std::tuple{"cmdBackup", 4440, "Make backup of internal settings"},
        std::tuple{"cmdRestore", 4800, "Load backup of internal settings"}}) {
    ControlSpec button = Button(name, "Frame25", {2880, top, 2655, 255}, caption);
    button.enabled = false;
    c.push_back(std::move(button));
  }
}

void AddSettingsPage(std::vector<ControlSpec>& c) {
  c.push_back(Page("fmeSettings", false));
  AddGridFrame(c);
  ControlSpec attention = Frame("Frame26", "fmeSettings", {0, 5280, 4095, 975}, "ATTENTION:");
  attention.fore = ui::kRed;
  c.push_back(std::move(attention));
  ControlSpec warning = Label("lblWarning", "Frame26", {120, 240, 3855, 615},
                              "MAKE SURE, YOUR MONITOR SUPPORTS THE FREQUENCY SETTINGS, YOU "
                              "ENTERED! I DON'T TAKE THE RESPONSIBILITY FOR ANY DAMAGE!");
  warning.fore = ui::kRed;
  warning.font = kBold;
  c.push_back(std::move(warning));
  c.push_back({.name = "tmrWarning", .kind = ControlKind::Timer, .container = "Frame26",
               .interval = 500});
  c.push_back(Button("cmdDeselect", "fmeSettings", {4200, 5400, 1455, 315}, "Deselect all"));
  c.push_back(Button("cmdApply", "fmeSettings", {4200, 5760, 1455, 495}, "Apply"));
}

ui::WindowLayout BuildLayout() {
  ui::WindowLayout layout{.name = kMainframe, .caption = kMainframeCaption,
                          .clientWidth = 5895, .clientHeight = 6735};
  auto& c = layout.controls;
  c.push_back(Menu("mnuFile", "", "&File"));
  c.push_back(Menu("mnuExit", "mnuFile", "&Exit"));
  c.push_back(Menu("mnuAbout", "", "&About..."));
  c.push_back({.name = "tbsMain", .kind = ControlKind::TabStrip, .twips = {0, 0, 5895, 6735},
               .tabs = {{"Introduction", "Information about this tool"},
                        {"System information", "A summary of your system's specifications"},
                        {"Settings", "Set the refresh rates."}}});
  AddIntroductionPage(c);
  AddSystemInformationPage(c);
  AddSettingsPage(c);
  return layout;
}

}  // namespace

const ui::WindowLayout& MainframeLayout() {
  static const ui::WindowLayout layout = BuildLayout();
  return layout;
}

}  // namespace zorvanel::app
