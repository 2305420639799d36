#include "platform/hive/Installation.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/hive/MountInfo.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::hive {

namespace fs = std::filesystem;

namespace {

// The entries of folder whose names are `name` in any case.
std::vector<fs::path> Entries(const fs::path& folder, std::string_view name) {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (store::NamesEqual(entry.path().filename().string(), name)) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// The one file at folder/parts..., or why there is none.
std::optional<fs::path> Walk(fs::path folder, std::initializer_list<std::string_view> parts,
                             std::string& missing) {
  for (std::string_view part : parts) {
    const auto found = Entries(folder, part);
    if (found.size() != 1) {
      missing = (found.empty() ? "no " : "several ") + std::string(part);
      return std::nullopt;
    }
    folder = found.front();
  }
  return folder;
}

// The two hives are one registry: a backup of values read from a hive that
// cannot be trusted is no backup, so neither is written while the other
// may not be.
void ShareReadOnly(HiveFile& hive, const HiveFile& other) {
  if (hive.ReadOnly() || !other.ReadOnly()) return;
  hive.MakeReadOnly("The registry file " + hive.Path() + " is opened read-only too: with " +
                    other.Path() + " it makes up one registry, which Zorvanel changes only as a whole.");
}

}  // namespace

HivePaths FindInstallation(const std::string& dir) {
  std::vector<fs::path> windowsFolders{fs::path(dir)};
  if (Entries(dir, "system32").empty()) {
    windowsFolders = Entries(dir, "WINDOWS");
    const auto winnt = Entries(dir, "WINNT");
    windowsFolders.insert(windowsFolders.end(), winnt.begin(), winnt.end());
  }
  std::vector<HivePaths> installations;
  std::string found;
  for (const auto& folder : windowsFolders) {
    std::string missing;
    const auto system = Walk(folder, {"system32", "config", "system"}, missing);
    const auto software = system ? Walk(folder, {"system32", "config", "software"}, missing)
                                 : std::nullopt;
    found += "\n  " + folder.string() + (software ? "" : " (" + missing + ")");
    if (software) installations.push_back({system->string(), software->string()});
  }
  if (installations.size() == 1) return installations.front();
  if (windowsFolders.empty()) {
    std::string entries;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
      entries += "\n  " + entry.path().filename().string();
    }
    throw HiveFileError("There is no Windows installation in " + dir +
                        ": it has no WINDOWS or WINNT folder. Found:" +
                        (entries.empty() ? std::string(" nothing") : entries));
  }
  throw HiveFileError((installations.empty() ? "There is no Windows installation in "
                                             : "There are several Windows installations in ") +
                      dir + ". Windows folders found:" + found);
}

std::vector<MountedInstallation> FindMountedInstallations(std::string_view mountinfo) {
  std::vector<MountedInstallation> found;
  for (const Mount& mount : MountedFileSystems(mountinfo)) {
    for (const char* name : {"WINDOWS", "WINNT"}) {
      for (const auto& folder : Entries(mount.point, name)) {
        std::string missing;
        if (Walk(folder, {"system32", "config", "system"}, missing) &&
            Walk(folder, {"system32", "config", "software"}, missing)) {
          found.push_back({mount.point, mount.type, folder.string()});
        }
      }
    }
  }
  return found;
}

std::string Describe(const MountedInstallation& found) {
  return found.windowsFolder + " (" + found.type + " mounted at " + found.mountPoint + ")";
}

std::optional<std::string> OnlyInstallation(const std::vector<MountedInstallation>& found, std::string* why) {
  if (found.size() == 1) return found.front().windowsFolder;
  *why = found.empty() ? "There is no Windows installation on the mounted file systems; give its folder."
                       : "There are several Windows installations on the mounted file systems; give "
                         "the folder of one:";
  for (const auto& installation : found) *why += "\n  " + Describe(installation);
  return std::nullopt;
}

std::unique_ptr<Installation> Installation::Open(const HivePaths& paths, HiveFile::Report report) {
  auto installation = std::unique_ptr<Installation>(new Installation());
  files::Failure failure;
  switch (installation->lock_.Take(files::ResolvePath(paths.system), &failure)) {
    case files::FileLock::Status::kHeld: break;
    case files::FileLock::Status::kInUse:
      throw HiveFileError("The registry file " + paths.system + " is in use by another Zorvanel instance.");
    case files::FileLock::Status::kFailed:
      throw HiveFileError("Cannot lock the registry file " + paths.system + ": " + failure.Text());
  }
  auto system = HiveFile::Open(paths.system, report);
  auto software = HiveFile::Open(paths.software, report);
  ShareReadOnly(*system, *software);
  ShareReadOnly(*software, *system);
  installation->registry_ = std::make_unique<HiveRegistry>(std::move(system), std::move(software));
  return installation;
}

Installation::~Installation() = default;

}  // namespace zorvanel::hive
