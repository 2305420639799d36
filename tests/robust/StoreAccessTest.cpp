// The store file as users really keep it, run through the replay runner as
// an ordinary user (dropping root with setpriv, as CI runs as root) without
// a runtime folder (so the lock takes its fallback folder): a link, a
// write-protected store, another user's store, a folder the user cannot
// write, files beside the store that are not the program's.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/ChildProcess.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;

const fs::path kStore = fs::path(ZORVANEL_TEST_DATA) / "stores" / "product-old-no-backup.reg";  // rewritten at start

bool Root() { return ::geteuid() == 0; }
uid_t User() { return Root() ? 65534 : ::geteuid(); }  // nobody

void Own(const fs::path& path, uid_t user) {
  if (Root()) {
    ASSERT_EQ(::lchown(path.c_str(), user, user), 0) << path;
  }
}

std::string PutStore(const fs::path& path) {
  std::ofstream(path, std::ios::binary) << replay::ReadFile(kStore);
  Own(path, User());
  return path.string();
}

std::size_t Files(const fs::path& dir) {
  fs::permissions(dir, fs::perms::owner_all);
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

struct Case {
  const char* label;
  bool needsRoot;  // to give a file to another user
  std::function<std::string(const fs::path& dir)> setUp;  // returns the store to give
  const char* readOnlyBecause;  // nullptr: the store is written
  std::function<void(const fs::path& dir)> check;
};

const Case kCases[] = {
    {"a link is followed, and stays a link", false,
     [](const fs::path& dir) {
       fs::create_directory(dir / "real");
       Own(dir / "real", User());
       PutStore(dir / "real" / "machine.reg");
       fs::create_symlink("real/machine.reg", dir / "link.reg");
       return (dir / "link.reg").string();
     },
     nullptr,
     [](const fs::path& dir) {
       EXPECT_TRUE(fs::is_symlink(dir / "link.reg"));
       EXPECT_NE(replay::ReadFile(dir / "real" / "machine.reg"), replay::ReadFile(kStore));
     }},
    {"a write-protected store", false,
     [](const fs::path& dir) {
       const std::string store = PutStore(dir / "store.reg");
       fs::permissions(store, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       return store;
     },
     "it is write-protected", nullptr},
    {"another user's store", true,
     [](const fs::path& dir) {
       const std::string store = PutStore(dir / "store.reg");
       Own(store, 0);
       return store;
     },
     "it belongs to another user",
     [](const fs::path& dir) {
       struct stat info {};
       ::lstat((dir / "store.reg").c_str(), &info);
       EXPECT_EQ(info.st_uid, 0u);
     }},
    {"a folder the user cannot write", false,
     [](const fs::path& dir) {
       const std::string store = PutStore(dir / "store.reg");
       fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
       return store;
     },
     "its folder cannot be written: Permission denied (errno 13)",
     [](const fs::path& dir) { EXPECT_EQ(Files(dir), 1u) << "no lock file beside it"; }},
    {"files beside the store that are not the program's leftovers", true,
     [](const fs::path& dir) {
       for (const char* name : {"store.reg.tmp-backup", ".zorvanel-store.reg-theirs", ".zorvanel-store.reg-abc123"}) {
         std::ofstream(dir / name) << "keep";
         Own(dir / name, User());
       }
       Own(dir / ".zorvanel-store.reg-theirs", 0);  // another user's
       fs::create_symlink("store.reg", dir / ".zorvanel-store.reg-linked");
       return PutStore(dir / "store.reg");
     },
     nullptr,
     [](const fs::path& dir) {
       EXPECT_TRUE(fs::exists(dir / "store.reg.tmp-backup"));
       EXPECT_TRUE(fs::exists(dir / ".zorvanel-store.reg-theirs"));
       EXPECT_TRUE(fs::is_symlink(dir / ".zorvanel-store.reg-linked"));
       EXPECT_FALSE(fs::exists(dir / ".zorvanel-store.reg-abc123")) << "a cut write's leftover";
       EXPECT_EQ(Files(dir), 4u) << "no lock file beside it";
     }},
};

TEST(StoreAccessTest, TheStoreIsWrittenOnlyWhereTheUserMayAndIsReadEverywhere) {
  const TempDirectory runnerPlace("runner");
  const std::string runner = CopyTheUserCanRun(User(), ZORVANEL_REPLAY, runnerPlace.Path());
  if (runner.empty()) {
    GTEST_SKIP() << "user " << User() << " cannot reach " << runnerPlace.Path()
                 << " to run the replay runner there; set TEST_TMPDIR or TMPDIR to a folder"
                 << " every user can enter";
  }
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    if (c.needsRoot && !Root()) continue;
    TempDirectory temp("access");
    fs::permissions(temp.Path(), fs::perms::others_exec, fs::perm_options::add);
    const fs::path dir = temp / "home";
    fs::create_directory(dir);
    Own(dir, User());
    const std::string store = c.setUp(dir);
    const std::string before = replay::ReadFile(store);

    ChildProcess run(AsUser(User(), {"/usr/bin/env", "-u", "XDG_RUNTIME_DIR", runner, "--store", store, "-"}));
    run.Input("answer Yes\nstart\n");
    run.Finish();
    const bool errorBox = run.Output().find("\"Unknown Registry-error occured.\"") != std::string::npos;
    if (c.readOnlyBecause) {
      EXPECT_EQ(run.Errors(), "zorvanel-replay: The store " + fs::canonical(store).string() +
                                  " cannot be changed (" + c.readOnlyBecause + "); it is opened read-only.\n");
      EXPECT_TRUE(errorBox) << run.Output();
      EXPECT_EQ(replay::ReadFile(store), before);
    } else {
      EXPECT_EQ(run.Errors(), "");
      EXPECT_FALSE(errorBox) << run.Output();
    }
    if (c.check) c.check(dir);
  }
}

}  // namespace
}  // namespace zorvanel::robust
