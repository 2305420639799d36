#include "platform/registry/AnsiText.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace zorvanel::registry {

namespace {

// Windows-1252 is Latin-1 except for 0x80..0x9F. There NT's table (c_1252)
// maps 27 bytes to typographic characters and the five it leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the C1 controls of the same number, so
// that every byte has a character and comes back unchanged. The reverse
// direction takes exactly these 256 characters; NT's best-fit guesses for
// other characters (an A for an A with a macron) are not made: they become
// the default character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t CharacterOf(std::uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

char ByteOf(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit < 0x100)) return static_cast<char>(unit);
  const auto* found = std::find(kHighControls.begin(), kHighControls.end(), unit);
  if (found == kHighControls.end()) return '?';
  return static_cast<char>(0x80 + std::distance(kHighControls.begin(), found));
}

}  // namespace

std::uint32_t StoredSize(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  if (data && size > 0 && IsTextType(type) && data[size - 1] != 0 && data[size] == 0) {
    return size + 1;
  }
  return size;
}

std::vector<std::uint8_t> WidenAnsi(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> wide;
  wide.reserve(2 * size);
  for (std::size_t i = 0; i < size; ++i) {
    const char16_t unit = CharacterOf(data[i]);
    wide.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    wide.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return wide;
}

std::string NarrowToAnsi(const std::uint8_t* data, std::size_t size) {
  std::string text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(ByteOf(static_cast<char16_t>(data[i] | (data[i + 1] << 8))));
  }
  return text;
}

}  // namespace zorvanel::registry
