#include "platform/store/RegFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zorvanel::store {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

Key Parse(std::string_view text) { return ParseRegFile(text, "t.reg"); }

Key KeyWith(std::string name, std::vector<Value> values = {}, std::vector<Key> subkeys = {}) {
  return Key{std::move(name), std::move(values), std::move(subkeys)};
}

Key Root(std::vector<Value> values = {}, std::vector<Key> subkeys = {}) {
  return KeyWith("HKEY_LOCAL_MACHINE", std::move(values), std::move(subkeys));
}

// UTF-16LE with a byte-order mark, as a Unicode export is stored.
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(RegFileTest, EveryValueFormRoundTripsAndIsWrittenAsExpected) {
  struct Case {
    const char* label;
    Value value;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"text", {"a", registry::REG_SZ, B(std::string("x y\0", 4))}, "\"a\"=\"x y\""},
      {"escaped text", {"a", registry::REG_SZ, B(std::string("C:\\\"q\"\0", 7))}, R"("a"="C:\\\"q\"")"},
      {"empty text", {"a", registry::REG_SZ, B(std::string("\0", 1))}, "\"a\"=\"\""},
      {"text without terminator", {"a", registry::REG_SZ, B("ab")},
       "; a is the text \"ab\", stored without a terminator\r\n\"a\"=hex(1):61,62"},
      {"text with embedded NUL", {"a", registry::REG_SZ, B(std::string("a\0b\0", 4))},
       "\"a\"=hex(1):61,00,62,00"},
      {"text with two NULs", {"a", registry::REG_SZ, B(std::string("a\0\0", 3))}, "\"a\"=hex(1):61,00,00"},
      {"text with no data", {"a", registry::REG_SZ, {}}, "\"a\"=hex(1):"},
      {"non-ASCII text", {"a", registry::REG_SZ, B(std::string("\xC3\xA9\0", 3))}, "\"a\"=hex(1):c3,a9,00"},
      {"control character", {"a", registry::REG_SZ, B(std::string("\t\0", 2))}, "\"a\"=hex(1):09,00"},
      {"dword", {"a", registry::REG_DWORD, {0x78, 0x56, 0x34, 0x12}}, "\"a\"=dword:12345678"},
      {"short dword", {"a", registry::REG_DWORD, {1, 2}}, "\"a\"=hex(4):01,02"},
      {"binary", {"a", registry::REG_BINARY, {0x00, 0xAB, 0xFF}}, "\"a\"=hex:00,ab,ff"},
      {"empty binary", {"a", registry::REG_BINARY, {}}, "\"a\"=hex:"},
      {"expand string", {"a", registry::REG_EXPAND_SZ, B(std::string("%x%\0", 4))},
       "\"a\"=hex(2):25,78,25,00"},
      {"multi string", {"a", registry::REG_MULTI_SZ, B(std::string("a\0b\0\0", 5))},
       "\"a\"=hex(7):61,00,62,00,00"},
      {"none", {"a", registry::REG_NONE, {7}}, "\"a\"=hex(0):07"},
      {"odd type", {"a", 0xB, {1}}, "\"a\"=hex(b):01"},
      {"huge type", {"a", 0xFFFFFFFF, {}}, "\"a\"=hex(ffffffff):"},
      {"default value", {"", registry::REG_SZ, B(std::string("d\0", 2))}, "@=\"d\""},
      {"name with escapes", {R"(q"\n\)", registry::REG_DWORD, {0, 0, 0, 0}}, R"("q\"\\n\\"=dword:00000000)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Key tree = Root({}, {KeyWith("K", {c.value})});
    std::string text = FormatRegFile(tree);
    EXPECT_EQ(text, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n" + c.line + "\r\n\r\n");
    EXPECT_EQ(Parse(text), tree);
  }
}

TEST(RegFileTest, TreeRoundTripsWithEmptyKeysRootValuesAndLongHexLists) {
  Bytes big(300);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  Key tree = Root({{"top", registry::REG_DWORD, {1, 0, 0, 0}}},
                  {KeyWith("Empty"),
                   KeyWith("A b]", {{std::string(90, 'n'), registry::REG_BINARY, big}},
                           {KeyWith("Deep", {}, {KeyWith("Deeper", {{"", registry::REG_MULTI_SZ, big}})})}),
                   KeyWith("last")});
  std::string text = FormatRegFile(tree);
  EXPECT_EQ(Parse(text), tree);
  EXPECT_EQ(FormatRegFile(Root()), "REGEDIT4\r\n\r\n") << "an empty root writes only the header";
  EXPECT_EQ(Parse(FormatRegFile(Root())), Root());
  EXPECT_NE(text.find("\r\n[HKEY_LOCAL_MACHINE\\Empty]\r\n\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n[HKEY_LOCAL_MACHINE\\A b]\\Deep]\r\n\r\n"), std::string::npos);

  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string_view line(text.data() + start, end - start);
    if (line.starts_with("\"nnn")) continue;  // a long name alone may pass the margin
    EXPECT_LE(line.size(), 80u) << line;
  }
}

// 300 keys under K, then each named again in another case with 20 values,
// the last of them set again: far past where names are found in order. The
// text, and the tree it reads as.
std::pair<std::string, Key> ManySiblings() {
  std::string text = "REGEDIT4\n", again;
  std::vector<Value> values;
  for (int v = 0; v < 20; ++v) values.push_back({"v" + std::to_string(v), registry::REG_DWORD, {1, 0, 0, 0}});
  values.back() = {"v19", registry::REG_SZ, {0}};
  Key k = KeyWith("K");
  for (int n = 0; n < 300; ++n) {
    const std::string name = std::to_string(n);
    text += "[HKLM\\K\\Key" + name + "]\n";
    again += "[HKLM\\k\\KEY" + name + "]\n";
    for (int v = 0; v < 20; ++v) again += "\"v" + std::to_string(v) + "\"=dword:1\n";
    again += "\"V19\"=\"\"\n";
    k.subkeys.push_back(KeyWith("Key" + name, values));
  }
  return {text + again, Root({}, {k})};
}

TEST(RegFileTest, ReadsTheFormsThatExportsUse) {
  struct Case {
    const char* label;
    std::string text;
    Key expected;
  };
  const Bytes dword1 = {1, 0, 0, 0};
  const std::vector<Case> cases = {
      {"LF endings, comments, blank lines, spaces",
       "\n  REGEDIT4\n; note\n\n  [HKLM\\K]  \n  ; \"x\"=dword:2\n\"v\" = dword:1\n",
       Root({}, {KeyWith("K", {{"v", registry::REG_DWORD, dword1}})})},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBFREGEDIT4\r\n[HKLM\\K]\r\n",
       Root({}, {KeyWith("K")})},
      {"dword digits", "REGEDIT4\n[HKLM]\n\"a\"=dword:Ab\n\"b\"=DWORD:ffffffff\n",
       Root({{"a", registry::REG_DWORD, {0xAB, 0, 0, 0}}, {"b", registry::REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}})},
      {"parents are created and names merge without case",
       "REGEDIT4\n[HKLM\\Soft\\\\x\\]\n[hkey_local_machine\\SOFT\\X\\y]\n[HKLM\\soft\\z]\n",
       Root({}, {KeyWith("Soft", {}, {KeyWith("x", {}, {KeyWith("y")}), KeyWith("z")})})},
      {"a value set again keeps its place",
       "REGEDIT4\n[HKLM\\K]\n\"a\"=dword:1\n\"b\"=\"\"\n\"A\"=hex:05\n",
       Root({}, {KeyWith("K", {{"a", registry::REG_BINARY, {5}}, {"b", registry::REG_SZ, {0}}})})},
      {"continued hex list",
       "REGEDIT4\n[HKLM\\K]\n\"a\"=hex:01,02,\\\n   03,\\\r\n\t04\n\"b\"=hex:\\\n  0a\n",
       Root({}, {KeyWith("K", {{"a", registry::REG_BINARY, {1, 2, 3, 4}}, {"b", registry::REG_BINARY, {10}}})})},
      {"version 4 keeps text hex data raw", "REGEDIT4\n[HKLM\\K]\n@=hex(1):61,00,00,00\n",
       Root({}, {KeyWith("K", {{"", registry::REG_SZ, {'a', 0, 0, 0}}})})},
      {"version 5 turns UTF-16 text data into UTF-8",
       "Windows Registry Editor Version 5.00\n[HKLM\\K]\n"
       "\"sz\"=hex(1):61,00,62,00,63,00,00,00\n\"ex\"=hex(2):e9,00,00,00\n"
       "\"multi\"=hex(7):61,00,00,00,3d,d8,00,de,00,00,00,00\n\"bin\"=hex:61,00\n",
       Root({}, {KeyWith("K", {{"sz", registry::REG_SZ, B(std::string("abc\0", 4))},
                               {"ex", registry::REG_EXPAND_SZ, B(std::string("\xC3\xA9\0", 3))},
                               {"multi", registry::REG_MULTI_SZ, B(std::string("a\0\xF0\x9F\x98\x80\0\0", 8))},
                               {"bin", registry::REG_BINARY, {'a', 0}}})})},
      {"version 5 keeps text data that is not UTF-16 as its bytes",
       "Windows Registry Editor Version 5.00\n[HKLM\\K]\n\"Odd\"=hex(1):41,00,42\n"
       "\"lone\"=hex(7):00,dc\n",
       Root({}, {KeyWith("K", {{"Odd", registry::REG_SZ, {0x41, 0, 0x42}},
                               {"lone", registry::REG_MULTI_SZ, {0, 0xdc}}})})},
      {"among many siblings and values, names still merge without case", ManySiblings().first,
       ManySiblings().second},
      {"UTF-16 file",
       Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[HKLM\\Pr\u00e9]\r\n"
                 u"\"n\u00e9\"=\"v\u00e9\"\r\n"),
       Root({}, {KeyWith("Pr\xC3\xA9",
                         {{"n\xC3\xA9", registry::REG_SZ, B(std::string("v\xC3\xA9\0", 4))}})})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      EXPECT_EQ(Parse(c.text), c.expected);
      CheckReadsBack(FormatRegFile(c.expected), c.expected, "written.reg");
    } catch (const RegFileError& error) {
      ADD_FAILURE() << error.what();
    }
  }
}

TEST(RegFileTest, MalformedInputNamesFileLineAndReason) {
  struct Case {
    std::string text;
    int line;
    std::string reason;
  };
  const std::string h = "REGEDIT4\n";
  const std::vector<Case> cases = {
      {"", 1, "missing header"},
      {"\n\n; comment\nREGEDIT4\n", 3, "missing header"},
      {"REGEDIT5\n", 1, "missing header"},
      {h + "\"a\"=dword:1\n", 2, "value outside a key"},
      {h + "[HKEY_CURRENT_USER\\K]\n", 2, "unsupported root HKEY_CURRENT_USER"},
      {h + "[HKLMX\\K]\n", 2, "unsupported root HKLMX"},
      {h + "[-HKLM\\K]\n", 2, "deleting a key"},
      {h + "[HKLM\\K\n", 2, "expected ']'"},
      {h + "[]\n", 2, "missing key path"},
      {h + "[HKLM\\K]\nfoo\n", 3, "expected a [key] line"},
      {h + "[HKLM\\K]\n\"a\" dword:1\n", 3, "expected \"name\"=data"},
      {h + "[HKLM\\K]\n\"a=dword:1\n", 3, "unterminated string"},
      {h + "[HKLM\\K]\n\"a\"=\"abc\n", 3, "unterminated string"},
      {h + "[HKLM\\K]\n\"a\"=\"abc\\\"\n", 3, "unterminated string"},
      {h + "[HKLM\\K]\n\"a\"=\"a\\nb\"\n", 3, "bad escape '\\n'"},
      {h + "[HKLM\\K]\n\"a\"=\"abc\" x\n", 3, "unexpected text after the value: 'x'"},
      {h + "[HKLM\\K]\n\"a\"=-\n", 3, "deleting a value"},
      {h + "[HKLM\\K]\n\"a\"=\n", 3, "missing data"},
      {h + "[HKLM\\K]\n\"a\"=word:1\n", 3, "unknown data 'word:1'"},
      {h + "[HKLM\\K]\n\"a\"=dword:\n", 3, "bad dword ''"},
      {h + "[HKLM\\K]\n\"a\"=dword:123456789\n", 3, "bad dword '123456789'"},
      {h + "[HKLM\\K]\n\"a\"=dword:1g\n", 3, "bad dword '1g'"},
      {h + "[HKLM\\K]\n\"a\"=hex:zz\n", 3, "bad hex byte 'zz'"},
      {h + "[HKLM\\K]\n\"a\"=hex:100\n", 3, "bad hex byte '100'"},
      {h + "[HKLM\\K]\n\"a\"=hex:01,,02\n", 3, "bad hex byte ''"},
      {h + "[HKLM\\K]\n\"a\"=hex:01,\\\n  02,\\\n  0x\n", 5, "bad hex byte '0x'"},
      {h + "[HKLM\\K]\n\"a\"=hex(:01\n", 3, "bad value type"},
      {h + "[HKLM\\K]\n\"a\"=hex(1g):01\n", 3, "bad value type 'hex(1g'"},
      {h + "[HKLM\\K]\n\"a\"=hex(123456789):01\n", 3, "bad value type"},
      {Utf16File(u"REGEDIT4\r\n[HKLM\\K]\r\n\"a\"=\"\xD800\"\r\n"), 3, "not valid UTF-16"},
      {Utf16File(u"REGEDIT4\r\n") + "x", 2, "not valid UTF-16"},
  };  // the limits are in RegFileRobustnessTest

  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    try {
      Parse(c.text);
      ADD_FAILURE() << "parsed without error";
    } catch (const RegFileError& error) {
      EXPECT_EQ(error.line(), c.line);
      std::string prefix = "t.reg:" + std::to_string(c.line) + ": ";
      EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace zorvanel::store
