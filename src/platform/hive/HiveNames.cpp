#include "platform/hive/HiveNames.h"

#include <iconv.h>

#include <cstdint>
#include <vector>

#include "platform/registry/AnsiText.h"

namespace zorvanel::hive {

namespace {

// Converts with iconv; a sequence that cannot be converted is skipped.
std::string Recode(const char* from, const char* to, std::string_view bytes) {
  iconv_t converter = ::iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out(bytes.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* next = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0 && ::iconv(converter, &in, &inLeft, &next, &outLeft) == static_cast<std::size_t>(-1)) {
    if (inLeft == 0 || outLeft < 4) break;
    ++in;  // an invalid sequence
    --inLeft;
  }
  ::iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string ToHiveName(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  const auto wide = registry::WidenAnsi(reinterpret_cast<const std::uint8_t*>(ansi.data()),
                                        ansi.size());
  return Recode("UTF-16LE", "UTF-8",
                std::string_view(reinterpret_cast<const char*>(wide.data()), wide.size()));
}

std::string FromHiveName(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  const std::string wide = Recode("UTF-8", "UTF-16LE", utf8);
  return registry::NarrowToAnsi(reinterpret_cast<const std::uint8_t*>(wide.data()), wide.size());
}

}  // namespace zorvanel::hive
