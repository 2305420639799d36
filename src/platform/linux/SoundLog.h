#pragma once
// FluidSynth and ALSA write their complaints straight to the terminal: with
// no sound card that is a screenful each time music is asked for. They are
// routed here and dropped; the program says instead, in one line, what they
// mean for the user.

#include <string>

namespace zorvanel::platform {

// Routes FluidSynth's log and ALSA's error output here, for the whole
// process; harmless to call again.
void RouteSoundLibraryMessages();

// One line on the program's error output: "zorvanel: " and the text.
void ReportMusicProblem(const std::string& text);

}  // namespace zorvanel::platform
