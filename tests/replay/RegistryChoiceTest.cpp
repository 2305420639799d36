// Which registry a replay runs on. A build that can reach the machine's
// registry takes it only with --live: a script without --store must never
// write the driver's values.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/store/SubstituteStore.h"
#include "replay/ReplayRunner.h"

namespace zorvanel::replay {
namespace {

class MemoryRegistry : public ReplayRegistry {
 public:
  registry::RegistryApi& Api() override { return store_; }
  store::Key Snapshot() override { return store_.Root(); }

 private:
  store::SubstituteStore store_;
};

TEST(ReplayRegistryChoice, TheMachineRegistryOnlyWithLive) {
  struct Row {
    std::vector<std::string> args;
    bool hostHasMachineRegistry;
    int status;
    bool machineRegistryOpened;
    std::string error;  // a part of the message on the error stream
  };
  const Row rows[] = {
      {{"-"}, true, 2, false, "no registry given"},
      {{"--live", "-"}, true, 0, true, ""},
      {{"--live", "--store", "machine.reg", "-"}, true, 2, false, "exclude each other"},
      {{"--live", "-"}, false, 2, false, "no machine registry"},
      {{"-"}, false, 0, false, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args) +
                 (row.hostHasMachineRegistry ? " on Windows" : ""));
    bool opened = false;
    ReplayHost host;
    if (row.hostHasMachineRegistry) {
      host.openRegistry = [&opened] {
        opened = true;
        return std::make_unique<MemoryRegistry>();
      };
    }
    std::istringstream script("answer No\nstart\n");
    std::ostringstream out, err;
    EXPECT_EQ(ReplayMain(row.args, script, out, err, host), row.status) << err.str();
    EXPECT_EQ(opened, row.machineRegistryOpened);
    if (row.error.empty()) {
      EXPECT_EQ(err.str(), "");
    } else {
      EXPECT_NE(err.str().find(row.error), std::string::npos) << err.str();
      EXPECT_EQ(out.str(), "") << "nothing ran";
    }
  }
}

}  // namespace
}  // namespace zorvanel::replay
