// The stand-in host's record of every host call the plug-in made, in order.
//
// Each call is kept as its parts, each written as text by the export that was
// called: objects by name ("Arm"), widgets by id ("#3"); the exact form of each
// is documented beside the export that writes it. Its line, for tests and
// people, is `Name(arg, arg) -> result`, or `Name fails` for a call the fault
// switch failed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "standin/standin_api.h"

namespace standin {

struct HostCall {
  std::string function;                // the entry point's name
  std::vector<std::string> arguments;  // in the order of its parameters
  std::optional<std::string> result;   // none for an entry point without an answer
  bool failed = false;                 // failed by FailNthCall: nothing else is kept
};

STANDIN_API void RecordCall(std::string function, std::vector<std::string> arguments,
                            std::optional<std::string> result);
STANDIN_API void RecordFailedCall(std::string function);
STANDIN_API const std::vector<HostCall>& HostCalls();
STANDIN_API void ClearCalls();

STANDIN_API std::string LineOf(const HostCall& call);
// The line of every call, in order.
STANDIN_API std::vector<std::string> Calls();
// Lines that start with `prefix` (for example "MQDoc_InsertObject").
STANDIN_API std::vector<std::string> CallsStartingWith(const std::string& prefix);

}  // namespace standin
