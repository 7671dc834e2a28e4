// The stand-in host's record of every host call the plug-in made, in order.
//
// Each entry is one line, `Name(arg, arg) -> result`, written by the export that
// was called. Objects are written by name ("Arm"), widgets by id ("#3"); the
// exact form of each entry is documented beside the export that writes it.
#pragma once

#include <string>
#include <vector>

#include "standin/standin_api.h"

namespace standin {

STANDIN_API void RecordCall(std::string line);
STANDIN_API const std::vector<std::string>& Calls();
STANDIN_API void ClearCalls();

// Calls whose line starts with `prefix` (for example "MQDoc_InsertObject").
STANDIN_API std::vector<std::string> CallsStartingWith(const std::string& prefix);

}  // namespace standin
