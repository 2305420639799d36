#include <iostream>
#include <string>
#include <vector>

#include "replay/ReplayRunner.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return zorvanel::replay::ReplayMain(args, std::cin, std::cout, std::cerr);
}
