#include <iostream>
#include <string>
#include <vector>

#include "replay/HiveReplay.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return zorvanel::replay::HiveReplayMain(args, std::cin, std::cout, std::cerr);
}
