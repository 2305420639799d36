#include "tests/wine/WineTranscript.h"

#include <gtest/gtest.h>

namespace zorvanel::wine {
namespace {

// A transcript as the substitute store prints it: creation order, and the
// text SetStringValue wrote without a terminator.
constexpr const char* kSubstitute =
    "REGEDIT4\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\n"
    "\"Version\"=hex(1):32,2e,32,31,66,20,45\n"
    "\"DetonatorVersion\"=\"4523\"\n"
    "\n"
    "end\n";

// The same state as Wine's registry prints it: by name, terminators added.
constexpr const char* kWine =
    "REGEDIT4\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\n"
    "\"DetonatorVersion\"=\"4523\"\n"
    "\"Version\"=\"2.21f E\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM]\n"
    "\n"
    "end\n";

TEST(WineTranscript, AllowsTheRegistrysOrderAndTerminatorsButSeesEveryOtherDifference) {
  EXPECT_EQ(CanonicalTranscript(kSubstitute), CanonicalTranscript(kWine));
  const struct {
    const char* what;
    std::string from, to;
  } cases[] = {
      {"a value's data", "\"4523\"", "\"4524\""},
      {"a value's type", "\"DetonatorVersion\"=\"4523\"", "\"DetonatorVersion\"=dword:00001193"},
      {"a key", "[HKEY_LOCAL_MACHINE\\SYSTEM]\n", "[HKEY_LOCAL_MACHINE\\SYSTEM\\Other]\n"},
      {"a second terminator", "\"2.21f E\"", "hex(1):32,2e,32,31,66,20,45,00,00"},
      {"a line outside the dump", "end\n", "box \"Error\" critical OK \"x\" -> OK\nend\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string changed = kWine;
    const auto at = changed.find(c.from);
    ASSERT_NE(at, std::string::npos);
    changed.replace(at, c.from.size(), c.to);
    EXPECT_NE(CanonicalTranscript(changed), CanonicalTranscript(kSubstitute));
  }
}

TEST(WineTranscript, ResetRemovesTheVendorAndRunOnceKeysAndTheKeysTheStoresHold) {
  auto store = [](const char* service) {
    return store::Key{"HKEY_LOCAL_MACHINE",
                      {},
                      {store::Key{"SYSTEM", {}, {store::Key{service, {{"Start", 4, {3, 0, 0, 0}}}, {}}}}}};
  };
  EXPECT_EQ(ResetRegFile({store("nv"), store("nv"), store("nv4")}),
            "REGEDIT4\r\n"
            "\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock]\r\n"
            "\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n"
            "\r\n[-HKEY_LOCAL_MACHINE\\SYSTEM\\nv]\r\n"
            "\r\n[-HKEY_LOCAL_MACHINE\\SYSTEM\\nv4]\r\n");
}

}  // namespace
}  // namespace zorvanel::wine
