#include "detect/DetectSystem.h"

#include <string>

#include "app/frmMainframe.h"
#include "detect/DetectionFindings.h"
#include "detect/DetectionTexts.h"
#include "detect/DriverEvaluation.h"
#include "detect/DriverKeys.h"
#include "detect/VersionNumber.h"

namespace zorvanel::detect {

namespace {

using registry::HKEY_LOCAL_MACHINE;

// The walk over the driver's keys. Every use of a registry value reads it
// anew, as the program always has: a missing value is reported once per read.
class DriverWalk {
 public:
  DriverWalk(app::frmMainframe& window, DetectionFindings& found)
      : window_(window), registry_(window.registry()), form_(window.form()), found_(found) {}

  void Run() {
    window_.fields.UsesCompressedFormat = false;
    window_.fields.AltDriverKey.clear();
    DetectPlatform();
    if (!FindServiceKey()) return;
    WalkDeviceKeys();
    DecideFormat();
  }

 private:
  void ShowFound(const char* label, const std::string& text) {
    form_.SetTextColor(label, ui::kBlack);
    form_.SetText(label, text);
  }

  std::string Read(const std::string& path, const char* name) {
    return registry_.GetStringValue(HKEY_LOCAL_MACHINE, path, name);
  }
  std::string DeviceInstance() {
    return Read(DriverKey() + keys::kServiceEnum, keys::kFirstEnumEntry);
  }
  std::string VideoId() { return Read(found_.EnumPath + keys::kDeviceParameters, keys::kVideoId); }
  std::string ClassGuid() { return Read(found_.EnumPath, keys::kClassGuid); }
  std::string FirstDevice() { return DriverKey() + keys::kFirstDevice; }
  const std::string& DriverKey() const { return window_.fields.DriverKey; }

  void DetectPlatform() {
    if (window_.platform().system.PlatformId() == platform::kPlatformWin32Nt) {
      ShowFound("lblOS", texts::kWindowsNt);
    } else {
      found_.NotNtPlatform = true;
    }
  }

  bool FindServiceKey() {
    if (!registry_.KeyExists(HKEY_LOCAL_MACHINE, keys::kServiceKey)) {
      found_.DriverMissing = true;
      return false;
    }
    window_.fields.DriverKey = keys::kServiceKey;
    form_.SetText("lblNV", DriverKey());
    form_.SetTextColor("lblNV", ui::kBlack);
    form_.SetTextColor("lblDeviceDesc", ui::kBlack);
    form_.SetText("lblDeviceDesc", Read(FirstDevice(), keys::kDeviceDescription));
    return true;
  }

  // A missing key breaks the chain to the version: the version is then
  // unknown, and the walk goes on with the format check.
  bool ChainGoesOn(const std::string& path) {
    if (registry_.KeyExists(HKEY_LOCAL_MACHINE, path)) return true;
    found_.VersionUnknown = true;
    return false;
  }

  // Device, video and class keys, then the version.
  void WalkDeviceKeys() {
    if (!ChainGoesOn(keys::kEnumRoot + DeviceInstance())) return;
    found_.EnumPath = keys::kEnumRoot + DeviceInstance();
    ShowFound("lblPCI", keys::kEnumRoot + std::string(texts::kLineBreak) + DeviceInstance());
    FindVideoKey();
    if (!ChainGoesOn(keys::kClassRoot + ClassGuid())) return;
    found_.ClassKey = keys::kClassRoot + ClassGuid();
    ShowFound("lblClass", keys::kClassRoot + std::string(texts::kLineBreak) + ClassGuid());
    ReadVersion();
  }

  // A missing video id or video key is no finding: the driver's settings
  // then live in its device keys only.
  void FindVideoKey() {
    if (!registry_.ValueExists(HKEY_LOCAL_MACHINE, found_.EnumPath + keys::kDeviceParameters,
                               keys::kVideoId)) {
      return;
    }
    if (!registry_.KeyExists(HKEY_LOCAL_MACHINE,
                             keys::kVideoRoot + VideoId() + keys::kFirstInstance)) {
      return;
    }
    window_.fields.AltDriverKey = keys::kVideoRoot + VideoId() + keys::kFirstInstance;
    form_.SetText("lblVideo", keys::kVideoRoot + std::string(texts::kLineBreak) + VideoId() +
                                  keys::kFirstInstance);
  }

  // A version text that does not give a whole number is treated like a
  // missing one: guessing a version could pick the wrong mode format.
  void ReadVersion() {
    const std::string versionKey = found_.ClassKey + keys::kFirstInstance;
    if (!ChainGoesOn(versionKey)) return;
    found_.VersionText = Read(versionKey, keys::kDriverVersion);
    const auto number = VersionNumberFrom(found_.VersionText);
    found_.VersionNumber = number.value_or(0);
    if (!number) found_.VersionUnknown = true;
    ShowFound("lblDetVer", found_.VersionText);
  }

  // Which variant of the compressed mode format the mode table must use.
  void DecideFormat() {
    const std::int16_t version = found_.VersionNumber;
    // Asked in every case, also when the version alone decides.
    const bool switchExists =
        registry_.ValueExists(HKEY_LOCAL_MACHINE, FirstDevice(), keys::kCompressedModeSwitch);
    const bool capable = (switchExists || version >= 4100) && version < 5000;
    if (capable) {
      ShowFound("lblFormatCapability", texts::kYes);
      DecideFormatUsage();
    } else if (version < 5000) {
      found_.FormatUnsupported = true;
      form_.SetText("lblFormatCapability", texts::kNo);
    }
    if (window_.fields.UsesCompressedFormat) DecideFormatVariant();
    if (version >= 5000) found_.DriverTooNew = true;
  }

  // From 41.00 on the driver always uses the compressed format; before, its
  // switch says.
  void DecideFormatUsage() {
    if (found_.VersionNumber >= 4100 ||
        registry_.GetDwordValue(HKEY_LOCAL_MACHINE, FirstDevice(), keys::kCompressedModeSwitch) ==
            1) {
      ShowFound("lblFormatUsage", texts::kYes);
      window_.fields.UsesCompressedFormat = true;
    } else {
      form_.SetText("lblFormatUsage", texts::kNo);
      found_.FormatInactive = true;
    }
  }

  void DecideFormatVariant() {
    detect::DetectionFields& fields = window_.fields;
    fields.HexFormat = found_.VersionNumber > 4000;
    ShowFound("lblFormatHexadecimal", fields.HexFormat ? texts::kYes : texts::kNo);
    fields.UsesPrefix = found_.VersionNumber > 4100;
    form_.SetText("lblFormatPrefix", fields.UsesPrefix ? texts::kYes : texts::kNo);
  }

  app::frmMainframe& window_;
  registry::mdlRegistry& registry_;
  ui::Form& form_;
  DetectionFindings& found_;
};

}  // namespace

void DetectSystem(app::frmMainframe& window) {
  DetectionFindings found;
  DriverWalk(window, found).Run();
  EvaluateFindings(window, found);
}

}  // namespace zorvanel::detect
