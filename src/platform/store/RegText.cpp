#include "platform/store/RegText.h"

#include "platform/store/StoreTree.h"

namespace zorvanel::store {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool IsPrintable(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x7E; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && NamesEqual(text.substr(0, prefix.size()), prefix);
}

std::string Excerpt(std::string_view text) {
  constexpr std::size_t kMaxExcerpt = 24;
  if (text.size() <= kMaxExcerpt) return "'" + std::string(text) + "'";
  return "'" + std::string(text.substr(0, kMaxExcerpt)) + "...'";
}

std::string LimitText(std::string_view what, std::size_t limit, std::string_view unit) {
  return std::string(what) + " the limit of " + std::to_string(limit) + " " + std::string(unit);
}

namespace {

std::optional<unsigned> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    auto digit = HexDigitValue(c);
    if (!digit) return std::nullopt;
    number = (number << 4) | *digit;
  }
  return number;
}

void AppendHexNumber(std::string& out, std::uint32_t number, int minDigits) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  char digits[8];
  int count = 0;
  do {
    digits[count++] = kDigits[number & 0xF];
    number >>= 4;
  } while (number != 0);
  while (count < minDigits) digits[count++] = '0';
  while (count > 0) out.push_back(digits[--count]);
}

// Text is copied in runs between the characters that need a backslash.
void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (;;) {
    const std::size_t special = text.find_first_of("\\\"");
    out.append(text.substr(0, special));
    if (special == std::string_view::npos) break;
    out.push_back('\\');
    out.push_back(text[special]);
    text.remove_prefix(special + 1);
  }
  out.push_back('"');
}

}  // namespace zorvanel::store
