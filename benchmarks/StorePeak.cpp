// zorvanel_store_peak STORE: opens the store as the programs do, makes one
// write-through change, and prints by how many bytes the process's peak
// resident memory rose over what it was before the store was opened.

#include <cstdio>
#include <fstream>
#include <string>

#include "benchmarks/LargeStore.h"
#include "platform/store/SubstituteStore.h"

namespace {

// A field of /proc/self/status, in bytes.
long long StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(field + ":")) return std::stoll(line.substr(field.size() + 1)) * 1024;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zorvanel;
  if (argc != 2) {
    std::fprintf(stderr, "usage: zorvanel_store_peak STORE\n");
    return 2;
  }
  const long long before = StatusBytes("VmRSS");
  {
    auto file = bench::OpenStore(argv[1]);
    store::SubstituteStore registry(bench::Content(*file));
    registry.PersistWith([&file](const store::Key& root) { return file->Write(root); });
    registry::KeyHandle key = 0;
    registry.RegOpenKeyEx(registry::HKEY_LOCAL_MACHINE, bench::kChangedKey,
                          registry::KEY_SET_VALUE, &key);
    const std::uint8_t data[] = {'p', 0};
    if (registry.RegSetValueEx(key, "Changed", registry::REG_SZ, data, sizeof data) != 0) return 1;
  }
  std::printf("%lld\n", StatusBytes("VmHWM") - before);
  return 0;
}
