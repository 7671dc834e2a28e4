// The system's words for why a file could not be read or written, as
// rowshift-host's messages quote them.
#pragma once

#include <string>

namespace rowshift::tool {

// The system's reason for the error `code` (an errno value), in lower case:
// "no such file or directory".
std::string SystemReason(int code);

}  // namespace rowshift::tool
