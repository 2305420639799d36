// zorvanel-wine-tool: the host side of the replay scenarios run under Wine
// (scripts/test-windows.sh).
//   zorvanel-wine-tool canonical FILE    the transcript in FILE, canonical
//   zorvanel-wine-tool reset [STORE]...  .reg text removing what scenarios
//                                        on these stores may have touched

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/store/RegFile.h"
#include "tests/wine/WineTranscript.h"

namespace {

bool ReadFile(const std::string& path, std::string& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  bytes = content.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zorvanel;
  const std::string command = argc > 1 ? argv[1] : "";
  std::string bytes;
  if (command == "canonical" && argc == 3) {
    if (!ReadFile(argv[2], bytes)) return std::cerr << "cannot read " << argv[2] << '\n', 1;
    std::cout << wine::CanonicalTranscript(bytes);
    return 0;
  }
  if (command == "reset") {
    std::vector<store::Key> stores;
    for (int i = 2; i < argc; ++i) {
      if (!ReadFile(argv[i], bytes)) return std::cerr << "cannot read " << argv[i] << '\n', 1;
      try {
        stores.push_back(store::ParseRegFile(bytes, argv[i]));
      } catch (const store::RegFileError& error) {
        // A store made to be unreadable touches nothing of the registry.
        std::cerr << error.what() << '\n';
      }
    }
    std::cout << wine::ResetRegFile(stores);
    return 0;
  }
  std::cerr << "usage: zorvanel-wine-tool canonical FILE | reset [STORE]...\n";
  return 2;
}
