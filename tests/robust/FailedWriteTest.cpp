// A write of the store that fails leaves the previous file as it was and
// reaches the user as a registry error: the call fails with code 5, so the
// layer shows "Unknown Registry-error occured." once, and the program goes on.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/hive/Installation.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/hive/EmptyHive.h"
#include "tests/replay/ScenarioFiles.h"
#include "replay/HiveReplay.h"
#include "tests/robust/ChildProcess.h"
#include "tests/robust/MountedDisk.h"
#include "tests/robust/TempDirectory.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;
using registry::HKEY_LOCAL_MACHINE;

class BoxCounter : public ui::MessageBoxes {
 public:
  ui::Answer MessageBox(std::string_view text, ui::Buttons, ui::Icon, std::string_view title) override {
    texts.emplace_back(std::string(title) + ": " + std::string(text));
    return ui::Answer::OK;
  }
  std::vector<std::string> texts;
};

// A store opened in its folder, whose folder is then replaced by a file: no
// new store file can even be created. Each writing operation fails with
// access denied, is reported once, and changes nothing, in memory or on disk.
TEST(FailedWriteTest, EachWritingOperationOnAStoreThatLostItsFolder) {
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Old]\r\n\"Name\"=\"kept\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Old\\Leaf]\r\n\r\n";
  const std::function<void(registry::mdlRegistry&)> writes[] = {
      [](auto& r) { r.SetStringValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Old", "Name", "new"); },
      [](auto& r) { r.SetDwordValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Old", "N", 7); },
      [](auto& r) { r.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\New\\Deeper"); },
      [](auto& r) { r.DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Old\\Leaf"); },
  };
  for (const auto& write : writes) {
    SCOPED_TRACE(&write - writes);
    const TempDirectory dir("failed-write");
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "folder" / "store.reg", std::ios::binary) << text;
    const auto file = store::StoreFile::Open((dir / "folder" / "store.reg").string());
    store::SubstituteStore store(file->TakeContent());
    store.PersistWith([&file](const store::Key& root) { return file->Write(root); });
    fs::rename(dir / "folder", dir / "moved");
    std::ofstream(dir / "folder") << "not a folder";

    BoxCounter boxes;
    registry::mdlRegistry layer(store, boxes);
    write(layer);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Error: Unknown Registry-error occured."});
    EXPECT_EQ(replay::ReadFile(dir / "moved" / "store.reg"), text);
    EXPECT_EQ(store.Root(), store::ParseRegFile(text, "before")) << "the change was kept";
    EXPECT_EQ(store.OpenHandleCount(), 0u);
    registry::KeyHandle key = 0;
    EXPECT_EQ(store.RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", registry::KEY_CREATE_SUB_KEY, &key),
              registry::kAccessDenied);
  }
}

// A disk that is full, made real with a file-size limit on the replay
// runner: every write of the store (or of a hive, or of its kept original)
// fails at write(2). The program still shows its window, each failed change
// is reported once, and the files on disk are the ones it started from.
TEST(FailedWriteTest, DiskFullDuringARealRunKeepsTheStoreAndTheProgramGoesOn) {
  const TempDirectory dir("disk-full");
  const std::string text =
      replay::ReadFile(fs::path(ZORVANEL_TEST_DATA) / "stores" / "product-old-no-backup.reg");
  std::ofstream(dir / "registry.reg", std::ios::binary) << text;
  ASSERT_TRUE(hive::MakeInstallation(store::ParseRegFile(text, "store"), dir / "partition", 1));
  const auto hives = hive::FindInstallation((dir / "partition").string());
  // Originals kept by an earlier run: here the commit itself meets the full disk.
  for (const auto& file : {hives.system, hives.software}) fs::copy_file(file, file + hive::kOriginalSuffix);

  const std::vector<std::string> stores[] = {
      {"--store", (dir / "registry.reg").string()},
      {"--windows", (dir / "partition").string(), hives.system, hives.software,
       hives.system + hive::kOriginalSuffix}};
  for (const auto& target : stores) {
    SCOPED_TRACE(target.front());
    const std::vector<std::string> files(target.begin() + (target.size() > 2 ? 2 : 1), target.end());
    std::vector<std::string> before;
    for (const auto& file : files) before.push_back(replay::ReadFile(file));
    ChildProcess replay({ZORVANEL_REPLAY, target[0], target[1], "-"}, [] {
      ::signal(SIGXFSZ, SIG_IGN);  // a failing write(2) instead of a killed process
      const rlimit fileSize{64, 64};
      ::setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    // Yes to the version question rewrites the product key: three writes to
    // the store, one commit of the hives when the start is flushed.
    replay.Input("answer Yes\nstart\ndump\n");
    EXPECT_EQ(DescribeStatus(replay.Finish()), "exit 0") << replay.Errors();
    const std::string& transcript = replay.Output();
    EXPECT_EQ(replay::Occurrences(transcript, replay::RegistryErrorBox() + " -> OK (default)\n"),
              target.size() > 2 ? 1u : 3u)
        << transcript;
    // The reason is told: the file, the step and the system's error.
    EXPECT_TRUE(replay.Errors().starts_with("zorvanel-replay: Cannot write the ")) << replay.Errors();
    EXPECT_NE(replay.Errors().find("File too large (errno 27)"), std::string::npos) << replay.Errors();
    EXPECT_NE(transcript.find("window frmMainframe shown\n"), std::string::npos) << transcript;
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(replay::ReadFile(files[i]), before[i]) << files[i];
    // What the program holds in memory was rolled back with each failed write.
    EXPECT_EQ(wine::CanonicalHiveTranscript(transcript.substr(transcript.find("REGEDIT4"))),
              wine::CanonicalHiveTranscript(text));
    for (const auto& folder : {dir.Path(), fs::path(hives.system).parent_path()}) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".zorvanel-")) << entry.path();
      }
    }
  }
}

// A replay script in two parts, with an action between them: the runner
// reads the second part only after the action has run.
class ScriptWithPause : public std::streambuf {
 public:
  ScriptWithPause(std::string first, std::function<void()> between, std::string second)
      : parts_{std::move(first), std::move(second)}, between_(std::move(between)) {
    setg(parts_[0].data(), parts_[0].data(), parts_[0].data() + parts_[0].size());
  }

 protected:
  int_type underflow() override {
    if (next_ == 2) return traits_type::eof();
    if (next_++ == 1) between_();
    setg(parts_[1].data(), parts_[1].data(), parts_[1].data() + parts_[1].size());
    return traits_type::to_int_type(parts_[1].front());
  }

 private:
  std::string parts_[2];
  std::function<void()> between_;
  int next_ = 1;
};

// A disk that fails under the program: read-only from the start (as a disk
// that Windows left hibernated is mounted), full, its hive removed or the
// whole mount gone between the start and a backup. Each time: a message on
// stderr naming the hive and the system's reason, the registry error box and
// "Backup incomplete" (never "Backup complete"), no hang, and no file
// half-written: the hives are as they were and no temporary file is left.
TEST(FailedWriteTest, DisksThatFailUnderTheProgram) {
  const std::string text =
      replay::ReadFile(fs::path(ZORVANEL_TEST_DATA) / "stores" / "settings-4523-two-devices.reg");
  const struct {
    const char* label;
    Disk disk;
    std::uintmax_t imageBytes;
    std::function<void(MountedDisk&, const hive::HivePaths&)> before, during;
    const char* reason;  // the system's, as stderr gives it
    bool memoryAsDisk;   // the dump afterwards shows the hives as on disk
  } cases[] = {
      {"read-only mount", Disk::kNtfs, 16u << 20, [](MountedDisk& disk, auto&) { disk.MakeReadOnly(); },
       [](auto&, auto&) {}, "Read-only file system", true},
      {"full disk", Disk::kFat, 4u << 20, [](auto&, auto&) {},
       [](MountedDisk& disk, auto&) {
         std::ofstream filler(disk.Root() / "filler", std::ios::binary);
         const std::string block(64 * 1024, 'x');
         while (filler.write(block.data(), block.size())) {}
       },
       "writing the new file: Operation not permitted", true},  // fusefat's word for a full disk
      {"hive removed", Disk::kNtfs, 16u << 20, [](auto&, auto&) {},
       [](auto&, const hive::HivePaths& paths) { fs::remove(paths.software); }, "No such file or directory",
       false},
      {"mount gone", Disk::kNtfs, 16u << 20, [](auto&, auto&) {},
       [](MountedDisk& disk, auto&) { disk.Vanish(); }, "No such file or directory", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    MountedDisk disk(c.disk, c.imageBytes);
    ZORVANEL_SKIP_UNLESS_MOUNTED(disk);
    ASSERT_TRUE(hive::MakeInstallation(store::ParseRegFile(text, "store"), disk.Root(), 1));
    const auto paths = hive::FindInstallation(disk.Root().string());
    const std::string software = replay::ReadFile(paths.software);
    c.before(disk, paths);
    ASSERT_EQ(disk.Unusable(), "");
    ScriptWithPause script("start\n", [&] { c.during(disk, paths); },
                           "tab 3\nanswer Yes\nclick cmdBackup\ndump\n");
    std::istream in(&script);
    std::ostringstream out, err;
    EXPECT_EQ(replay::HiveReplayMain({"--windows", disk.Root().string(), "-"}, in, out, err), 0) << err.str();
    const std::string transcript = out.str();
    EXPECT_GE(replay::Occurrences(transcript, replay::RegistryErrorBox()), 1u) << transcript;
    EXPECT_NE(transcript.find("\"Backup incomplete\""), std::string::npos) << transcript;
    EXPECT_EQ(transcript.find("\"Backup complete\""), std::string::npos) << transcript;
    EXPECT_NE(err.str().find(paths.software), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(c.reason), std::string::npos) << err.str();
    if (c.memoryAsDisk) {
      EXPECT_EQ(replay::ReadFile(paths.software), software);
      EXPECT_EQ(wine::CanonicalHiveTranscript(transcript.substr(transcript.find("REGEDIT4"))),
                wine::CanonicalHiveTranscript(text));
    }
    std::error_code gone;
    for (const auto& entry : fs::directory_iterator(fs::path(paths.software).parent_path(), gone)) {
      const std::string name = entry.path().filename().string();
      EXPECT_FALSE(name.starts_with(".zorvanel-") || name.ends_with(hive::kBeforeSuffix)) << name;
    }
  }
}

}  // namespace
}  // namespace zorvanel::robust
