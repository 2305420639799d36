// The crash test's child: opens a store and makes the write series on it,
// from the step after the one given, until it is killed. After each change
// is on disk it prints the step's number, so the test knows how far it got.
// Usage: zorvanel_store_writer STORE LAST_STEP_DONE
//        zorvanel_store_writer --windows DIR LAST_STEP_DONE

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "platform/hive/Installation.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/robust/WriteSeries.h"

namespace {

void Report(std::uint64_t step) {
  const std::string line = std::to_string(step) + "\n";
  // Straight to the pipe: a buffered report could be lost with the process.
  if (::write(1, line.data(), line.size()) != static_cast<ssize_t>(line.size())) std::exit(4);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zorvanel;
  const bool hives = argc == 4 && std::string(argv[1]) == "--windows";
  if (argc != 3 && !hives) {
    std::fprintf(stderr, "usage: zorvanel_store_writer [--windows DIR | STORE] LAST_STEP_DONE\n");
    return 2;
  }
  try {
    std::unique_ptr<store::StoreFile> file;
    std::unique_ptr<store::SubstituteStore> substitute;
    std::unique_ptr<hive::Installation> installation;
    if (hives) {
      installation = hive::Installation::Open(hive::FindInstallation(argv[2]));
    } else {
      file = store::StoreFile::Open(argv[1]);
      substitute = std::make_unique<store::SubstituteStore>(file->TakeContent());
      substitute->PersistWith([&file](const store::Key& root) { return file->Write(root); });
    }
    registry::RegistryApi& store =
        hives ? static_cast<registry::RegistryApi&>(installation->Registry()) : *substitute;
    for (std::uint64_t step = std::strtoull(argv[argc - 1], nullptr, 10) + 1;; ++step) {
      if (!robust::MakeChange(store, step)) {
        std::fprintf(stderr, "change %llu failed\n", static_cast<unsigned long long>(step));
        return 3;
      }
      Report(step);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
