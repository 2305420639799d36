#include "platform/headless/Transcript.h"

#include <cstdio>

namespace zorvanel::headless {

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': quoted += "\\\\"; break;
      case '"': quoted += "\\\""; break;
      case '\r': quoted += "\\r"; break;
      case '\n': quoted += "\\n"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02X", byte);
          quoted += hex;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + '"';
}

}  // namespace zorvanel::headless
