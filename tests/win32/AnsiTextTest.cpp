// The ANSI conversion that the hive seam makes on Linux, held against what
// advapi32 stores and reads back for the same ANSI calls (Wine in CI).

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/registry/AnsiText.h"
#include "platform/registry/RegistryApi.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::registry {
namespace {

using win32::kNativeLocalMachine;
constexpr const char* kKey = "SOFTWARE\\Dravenlock\\ZorvanelAnsiTest";
constexpr REGSAM kAllAccess = 0xF003F;

// Each text is one byte or unit, followed in memory by one that is not NUL,
// so that advapi32 adds no terminator of its own.
TEST(AnsiText, BytesAreStoredAndUnitsReadAsTheSeamConvertsThem) {
  if (::GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << ::GetACP();
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(kNativeLocalMachine, kKey, 0, nullptr, 0, kAllAccess, nullptr,
                              &key, nullptr),
            ERROR_SUCCESS);
  for (int byte = 1; byte < 256; ++byte) {
    const BYTE text[2] = {static_cast<BYTE>(byte), 'x'};
    ASSERT_EQ(::RegSetValueExA(key, "Text", 0, REG_SZ, text, 1), ERROR_SUCCESS);
    std::vector<std::uint8_t> stored(8);
    DWORD size = static_cast<DWORD>(stored.size());
    ASSERT_EQ(::RegQueryValueExW(key, L"Text", nullptr, nullptr, stored.data(), &size),
              ERROR_SUCCESS);
    stored.resize(size);
    EXPECT_EQ(stored, WidenAnsi(text, 1)) << "byte " << byte;
  }
  // Texts stored as UTF-16 (by Windows itself) read through the ANSI call.
  const wchar_t units[] = {0x0041, 0x00E9, 0x20AC, 0x0081, 0x2122, 0x0178, 0x00FF, 0x4E2D, 0};
  for (wchar_t unit : units) {
    const wchar_t text[2] = {unit, L'x'};
    ASSERT_EQ(::RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 2),
              ERROR_SUCCESS);
    char read[8] = {};
    DWORD size = 1;
    ASSERT_EQ(::RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(read),
                                 &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(read, size), NarrowToAnsi(reinterpret_cast<const std::uint8_t*>(text), 2))
        << "unit " << static_cast<int>(unit);
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyA(kNativeLocalMachine, kKey);
}

}  // namespace
}  // namespace zorvanel::registry
