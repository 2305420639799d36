#include "modes/ModeLists.h"

namespace zorvanel::modes {

using enum ValidationGroup;

const std::array<Resolution, kResolutionCount> kResolutions = {{
    {"cmb320x200", "320,200,-,", " 320x200", Low},
    {"cmb320x240", "320,240,-,", " 320x240", Low},
    {"cmb400x300", "400,300,-,", " 400x300", Low},
    {"cmb480x360", "480,360,-,", " 480x360", Low},
    {"cmb512x384", "512,384,-,", " 512x384", Low},
    {"cmb640x400", "640,400,-,", " 640x400", Low},
    {"cmb640x480", "640,480,-,", " 640x480", High},
    {"cmb800x600", "800,600,-,", " 800x600", High},
    {"cmb848x480", "848,480,-,", " 848x480", High},
    {"cmb1024x768", "1024,768,-,", " 1024x768", High},
    {"cmb1152x864", "1152,864,-,", " 1152x864", High},
    {"cmb1280x960", "1280,960,-,", " 1280x960", High},
    {"cmb1280x1024", "1280,1024,-,", " 1280x1024", High},
    {"cmb1600x1024", "1600,1024,-,", " 1600x1024", High},
    {"cmb1600x1200", "1600,1200,-,", " 1600x1200", High},
    {"cmb1920x1080", "1920,1080,-,", " 1920x1080", High},
    {"cmb1920x1200", "1920,1200,-,", " 1920x1200", High},
    {"cmb1920x1440", "1920,1440,-,", " 1920x1440", High},
    {"cmb2048x1536", "2048,1536,-,", " 2048x1536", High},
}};

// Each mask has the rate's own bit and every higher one up to bit 12 set.
const std::array<Rate, kRateCount> kRates = {{
    {"60", "1FFF", "70-"},
    {"70", "1FFE", "-60"},
    {"72", "1FFC", "-70"},
    {"75", "1FF8", "-72"},
    {"85", "1FF0", "-75"},
    {"100", "1FE0", "-85"},
    {"120", "1FC0", "-100"},
    {"140", "1F80", std::nullopt},
    {"144", "1F00", std::nullopt},
    {"150", "1E00", std::nullopt},
    {"170", "1C00", std::nullopt},
    {"200", "1800", std::nullopt},
    {"240", "1000", std::nullopt},
}};

}  // namespace zorvanel::modes
