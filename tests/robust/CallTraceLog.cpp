#include "tests/robust/CallTraceLog.h"

#include <sstream>
#include <stdexcept>

namespace zorvanel::robust {

namespace {

using namespace registry;

// Reads a text quoted as the transcript quotes it, starting at line[pos].
std::string Unquote(const std::string& line, std::size_t& pos) {
  std::string text;
  for (++pos; pos < line.size() && line[pos] != '"'; ++pos) {
    if (line[pos] != '\\') {
      text += line[pos];
      continue;
    }
    const char escaped = line.at(++pos);
    if (escaped == 'r') {
      text += '\r';
    } else if (escaped == 'n') {
      text += '\n';
    } else if (escaped == 'x') {
      text += static_cast<char>(std::stoi(line.substr(pos + 1, 2), nullptr, 16));
      pos += 2;
    } else {
      text += escaped;
    }
  }
  ++pos;
  return text;
}

// "name=value" fields up to the end of the line or the "->".
void ReadFields(const std::string& line, std::size_t& pos, TracedCall& call) {
  while (pos < line.size()) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (line.compare(pos, 2, "->") == 0 || pos >= line.size()) return;
    const std::size_t equals = line.find('=', pos);
    const std::string name = line.substr(pos, equals - pos);
    pos = equals + 1;
    if (pos < line.size() && line[pos] == '"') {
      call.fields[name] = Unquote(line, pos);
    } else {
      const std::size_t end = std::min(line.find(' ', pos), line.size());
      call.fields[name] = line.substr(pos, end - pos);
      pos = end;
    }
  }
}

TracedCall ParseLine(const std::string& line) {
  TracedCall call;
  std::istringstream head(line);
  std::string word;
  head >> word >> call.function >> call.count;
  std::size_t pos = static_cast<std::size_t>(head.tellg());
  ReadFields(line, pos, call);
  if (line.compare(pos, 3, "-> ") != 0) throw std::runtime_error("bad trace line: " + line);
  pos += 3;
  const std::size_t end = std::min(line.find(' ', pos), line.size());
  call.code = std::stol(line.substr(pos, end - pos));
  pos = end;
  ReadFields(line, pos, call);
  return call;
}

KeyHandle Handle(const TracedCall& call, const std::string& field) {
  return static_cast<KeyHandle>(std::stoull(call.Field(field), nullptr, 16));
}

std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

constexpr const char* kKeyExistsAccess = "0x8";

}  // namespace

const std::string& TracedCall::Field(const std::string& name) const {
  auto found = fields.find(name);
  if (found == fields.end()) throw std::runtime_error(Id() + " has no " + name);
  return found->second;
}

std::vector<TracedCall> ParseTrace(const std::string& errorOutput) {
  std::vector<TracedCall> trace;
  std::istringstream lines(errorOutput);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("trace ")) trace.push_back(ParseLine(line));
  }
  return trace;
}

bool IsSilentExistenceTest(const TracedCall& call, const std::vector<TracedCall>& trace) {
  if (call.function == "RegOpenKeyEx") return call.Field("access") == kKeyExistsAccess;
  if (call.function == "RegQueryValueEx") {
    return call.Field("type") == "wanted" && call.Field("data") == "no";
  }
  if (call.function != "RegCloseKey") return false;
  // The close of a key that KeyExists opened: handles are never reused.
  for (const TracedCall& open : trace) {
    if (open.function == "RegOpenKeyEx" && open.code == kSuccess &&
        open.Field("key") == call.Field("key")) {
      return open.Field("access") == kKeyExistsAccess;
    }
  }
  return false;
}

bool IsReportedFailure(const TracedCall& call, const std::vector<TracedCall>& trace) {
  const bool endOfList =
      (call.function == "RegEnumValue" || call.function == "RegEnumKeyEx") &&
      call.code == kNoMoreItems;
  return call.code != kSuccess && !endOfList && !IsSilentExistenceTest(call, trace);
}

std::vector<std::string> ReportedFailures(const std::vector<TracedCall>& trace) {
  std::vector<std::string> ids;
  for (const TracedCall& call : trace) {
    if (IsReportedFailure(call, trace)) ids.push_back(call.Id());
  }
  return ids;
}

std::string ReplaySuccessfulCalls(const std::vector<TracedCall>& trace,
                                  store::SubstituteStore& model) {
  for (const TracedCall& call : trace) {
    // A close releases the key even when it is made to fail.
    if (call.function == "RegCloseKey") {
      model.RegCloseKey(Handle(call, "key"));
      continue;
    }
    if (call.code != kSuccess) continue;
    long code = kSuccess;
    KeyHandle key = 0;
    if (call.function == "RegOpenKeyEx" || call.function == "RegCreateKeyEx") {
      const auto access = static_cast<std::uint32_t>(std::stoul(call.Field("access"), nullptr, 16));
      code = call.function == "RegOpenKeyEx"
                 ? model.RegOpenKeyEx(Handle(call, "root"), call.Field("path"), access, &key)
                 : model.RegCreateKeyEx(Handle(call, "root"), call.Field("path"), access, &key);
      if (code == kSuccess && key != Handle(call, "key")) return call.Id() + " gave another key";
    } else if (call.function == "RegSetValueEx") {
      // With the NUL after the data that the program's texts have.
      auto data = Bytes(call.Field("data"));
      const auto size = static_cast<std::uint32_t>(data.size());
      data.push_back(0);
      code = model.RegSetValueEx(Handle(call, "key"), call.Field("name"),
                                 static_cast<std::uint32_t>(std::stoul(call.Field("type"))),
                                 data.data(), size);
    } else if (call.function == "RegDeleteKey") {
      code = model.RegDeleteKey(Handle(call, "root"), call.Field("path"));
    } else if (call.function == "RegDeleteValue") {
      code = model.RegDeleteValue(Handle(call, "key"), call.Field("name"));
    }
    if (code != kSuccess) return call.Id() + " failed on the model with code " + std::to_string(code);
  }
  return "";
}

}  // namespace zorvanel::robust
