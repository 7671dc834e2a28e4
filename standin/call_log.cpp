#include "standin/call_log.h"

#include <utility>

namespace standin {
namespace {

std::vector<HostCall>& Log() {
  static auto& log = *new std::vector<HostCall>;
  return log;
}

}  // namespace

void RecordCall(std::string function, std::vector<std::string> arguments,
                std::optional<std::string> result) {
  Log().push_back(HostCall{std::move(function), std::move(arguments), std::move(result), false});
}

void RecordFailedCall(std::string function) {
  Log().push_back(HostCall{std::move(function), {}, std::nullopt, true});
}

const std::vector<HostCall>& HostCalls() { return Log(); }

void ClearCalls() { Log().clear(); }

std::string LineOf(const HostCall& call) {
  if (call.failed) return call.function + " fails";
  std::string line = call.function + "(";
  for (std::size_t index = 0; index < call.arguments.size(); ++index) {
    line += (index == 0 ? "" : ", ") + call.arguments[index];
  }
  line += ")";
  if (call.result) line += " -> " + *call.result;
  return line;
}

std::vector<std::string> Calls() {
  std::vector<std::string> lines;
  lines.reserve(Log().size());
  for (const HostCall& call : Log()) lines.push_back(LineOf(call));
  return lines;
}

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> matching;
  for (const HostCall& call : Log()) {
    std::string line = LineOf(call);
    if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(std::move(line));
  }
  return matching;
}

}  // namespace standin
