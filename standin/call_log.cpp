#include "standin/call_log.h"

#include <utility>

namespace standin {
namespace {

std::vector<std::string>& Log() {
  static auto& log = *new std::vector<std::string>;
  return log;
}

}  // namespace

void RecordCall(std::string line) { Log().push_back(std::move(line)); }

const std::vector<std::string>& Calls() { return Log(); }

void ClearCalls() { Log().clear(); }

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> matching;
  for (const std::string& line : Log()) {
    if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(line);
  }
  return matching;
}

}  // namespace standin
