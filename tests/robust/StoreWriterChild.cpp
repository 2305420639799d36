// The crash test's child: makes the write series on a store (or on the hives
// of a Windows installation), from the step after the one given, until it
// is killed. Once each change is flushed to disk it prints the step's number.
// Usage: zorvanel_store_writer STORE|--windows DIR LAST_STEP_DONE

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

int main(int argc, char** argv) {
  using namespace zorvanel;
  const bool hives = argc == 4 && std::string(argv[1]) == "--windows";
  if (argc != 3 && !hives) return 2;
  try {
    std::unique_ptr<store::StoreFile> file;
    std::unique_ptr<registry::RegistryApi> substitute;
    std::unique_ptr<hive::Installation> installation;
    if (hives) {
      installation = hive::Installation::Open(hive::FindInstallation(argv[2]));
    } else {
      file = store::StoreFile::Open(argv[1]);
      auto store = std::make_unique<store::SubstituteStore>(file->TakeContent());
      store->PersistWith([&file](const store::Key& root) { return file->Write(root); });
      substitute = std::move(store);
    }
    registry::RegistryApi& api = hives ? installation->Registry() : *substitute;
    for (std::uint64_t step = std::strtoull(argv[argc - 1], nullptr, 10) + 1;; ++step) {
      if (!robust::MakeChange(api, step) || api.RegFlushKey(registry::HKEY_LOCAL_MACHINE) != registry::kSuccess) {
        std::fprintf(stderr, "change %llu failed\n", static_cast<unsigned long long>(step));
        return 3;
      }
      // Straight to the pipe: a buffered report could be lost with the process.
      const std::string line = std::to_string(step) + "\n";
      if (::write(1, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 4;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
