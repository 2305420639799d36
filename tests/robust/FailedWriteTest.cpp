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
#include <string>
#include <vector>

#include "platform/hive/Installation.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/hive/EmptyHive.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/ChildProcess.h"
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

}  // namespace
}  // namespace zorvanel::robust
