// The stand-in host modules the build puts beside the test programs.
#pragma once

#include <string>

namespace rowshift::testing {

// The module `base_name` ("mqhost", "mqhost_lacking_last", ...) in the working
// folder, with the system's suffix (ROWSHIFT_MODULE_SUFFIX, set per suite).
inline std::string HostModuleFile(const char* base_name) {
  return std::string("./") + base_name + ROWSHIFT_MODULE_SUFFIX;
}

}  // namespace rowshift::testing
