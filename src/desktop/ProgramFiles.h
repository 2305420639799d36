#pragma once
// Where the desktop program's own files are. An installation keeps them
// apart, as Linux systems do: the easter egg's music and the sample machine
// in the program's data folder, which start-up makes the current directory
// as the Windows program does with its own folder, the read-me in the
// documentation folder; the music engine in the library folder. All are
// known relative to the program's folder (bin/../share/zorvanel,
// bin/../share/doc/zorvanel, bin/../lib/zorvanel), so an installation
// works under any prefix, and the build tree is laid out the same way.

#include <string>

namespace zorvanel::desktop {

struct ProgramFiles {
  std::string dataFolder;      // refresh.dat, sample-xp.reg
  std::string documentFolder;  // readme.txt
  std::string musicModule;     // the music engine, loaded on first use
};

// The files of the program whose executable lies in programFolder.
ProgramFiles ProgramFilesBeside(const std::string& programFolder);

// The files of this running program.
ProgramFiles ThisProgramsFiles();

}  // namespace zorvanel::desktop
