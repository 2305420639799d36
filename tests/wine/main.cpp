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

int main(int argc, char** argv) {
  using namespace zorvanel;
  const std::string command = argc > 1 ? argv[1] : "";
  std::vector<std::string> files;
  for (int i = 2; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    if (!file) return std::cerr << "cannot read " << argv[i] << '\n', 1;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    files.push_back(bytes.str());
  }
  if (command == "canonical" && files.size() == 1) {
    std::cout << wine::CanonicalTranscript(files[0]);
    return 0;
  }
  if (command == "reset") {
    std::vector<store::Key> stores;
    for (std::size_t i = 0; i < files.size(); ++i) {
      try {
        stores.push_back(store::ParseRegFile(files[i], argv[i + 2]));
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
