#pragma once
// zorvanel-replay on a Windows installation's hive files (Linux):
//   --windows DIR                                  a mounted Windows partition
//   --system-hive FILE --software-hive FILE        hives copied out on their own
// dump then prints what the program sees, so that hives compare with stores.

#include <iosfwd>
#include <string>
#include <vector>

namespace zorvanel::replay {

// ReplayMain, with the hive options taken first. A hive or installation that
// cannot be used ends the run with status 1, its reason on err.
int HiveReplayMain(std::vector<std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace zorvanel::replay
