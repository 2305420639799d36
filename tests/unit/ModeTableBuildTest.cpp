// Both mode-table builders over selections given box by box; every case
// names its expected strings literally.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "modes/ModeTable.h"

namespace zorvanel::modes {
namespace {

// The boxes not named show `others`, "<Select!>" unless told.
Selection Select(const std::map<std::string, std::string>& shown,
                 const std::string& others = std::string(kNoRate)) {
  Selection selection;
  selection.fill(others);
  for (std::size_t r = 0; r < kResolutionCount; ++r) {
    auto it = shown.find(std::string(kResolutions[r].box));
    if (it != shown.end()) selection[r] = it->second;
  }
  return selection;
}

struct BuildCase {
  const char* name;
  Selection selection;
  const char* decimal;
  const char* hex;  // without the prefix; with it, "{*}" comes first
};

TEST(ModeTableBuild, BothFormsOfEachSelection) {
  const BuildCase cases[] = {
      {"worked example: 75 Hz comes before 85 Hz",
       Select({{"cmb1024x768", "75"}, {"cmb640x480", "85"}, {"cmb800x600", "85"}}),
       "S 1024,768,-,-72;640,480,-,-75;800,600,-,-75", "S 1024x768=1FF8; 640x480 800x600=1FF0;"},
      {"one resolution at 60", Select({{"cmb320x200", "60"}}), "S 320,200,-,70-",
       "S 320x200=1FFF;"},
      {"nothing chosen", Select({}), "S", "S"},
      {"every resolution at 60", Select({}, "60"),
       "S 320,200,-,70-;320,240,-,70-;400,300,-,70-;480,360,-,70-;512,384,-,70-;640,400,-,70-;"
       "640,480,-,70-;800,600,-,70-;848,480,-,70-;1024,768,-,70-;1152,864,-,70-;1280,960,-,70-;"
       "1280,1024,-,70-;1600,1024,-,70-;1600,1200,-,70-;1920,1080,-,70-;1920,1200,-,70-;"
       "1920,1440,-,70-;2048,1536,-,70-",
       "S 320x200 320x240 400x300 480x360 512x384 640x400 640x480 800x600 848x480 1024x768 "
       "1152x864 1280x960 1280x1024 1600x1024 1600x1200 1920x1080 1920x1200 1920x1440 "
       "2048x1536=1FFF;"},
      {"240 alone has no decimal form", Select({{"cmb2048x1536", "240"}}), "S",
       "S 2048x1536=1000;"},
      {"two resolutions at one rate, in list order",
       Select({{"cmb1600x1200", "100"}, {"cmb320x240", "100"}}),
       "S 320,240,-,-85;1600,1200,-,-85", "S 320x240 1600x1200=1FE0;"},
      {"texts that are no rate text count as no choice",
       Select({{"cmb320x200", ""}, {"cmb640x480", "60 Hz"}, {"cmb800x600", " 60"},
               {"cmb848x480", "060"}, {"cmb640x400", "60 "}, {"cmb1152x864", "<select!>"},
               {"cmb1024x768", "75"}}),
       "S 1024,768,-,-72", "S 1024x768=1FF8;"},
      {"every rate once, fastest first in the list: groups come by rate",
       Select({{"cmb320x200", "240"}, {"cmb320x240", "200"}, {"cmb400x300", "170"},
               {"cmb480x360", "150"}, {"cmb512x384", "144"}, {"cmb640x400", "140"},
               {"cmb640x480", "120"}, {"cmb800x600", "100"}, {"cmb848x480", "85"},
               {"cmb1024x768", "75"}, {"cmb1152x864", "72"}, {"cmb1280x960", "70"},
               {"cmb1280x1024", "60"}}),
       "S 1280,1024,-,70-;1280,960,-,-60;1152,864,-,-70;1024,768,-,-72;848,480,-,-75;"
       "800,600,-,-85;640,480,-,-100",
       "S 1280x1024=1FFF; 1280x960=1FFE; 1152x864=1FFC; 1024x768=1FF8; 848x480=1FF0; "
       "800x600=1FE0; 640x480=1FC0; 640x400=1F80; 512x384=1F00; 480x360=1E00; 400x300=1C00; "
       "320x240=1800; 320x200=1000;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildDecimalModeTable(c.selection), c.decimal);
    EXPECT_EQ(BuildHexModeTable(c.selection, false), c.hex);
    EXPECT_EQ(BuildHexModeTable(c.selection, true), std::string("{*}") + c.hex);
  }
}

}  // namespace
}  // namespace zorvanel::modes
