// Filling the host entry-point table from the module that exports the host
// functions (the work behind MQInit).
#pragma once

#include <cstdint>

#include "boundary/host_functions.h"

namespace rowshift {

// Loads the module `module_file_name`, looks up every host name in the fixed
// order into `table`, and releases the module again, so the module must stay
// loaded by other means (it is the host's own) for as long as the table is used.
//
// Answers 1 when every name was found. Answers 0 when the module cannot be
// loaded (the table is untouched) or a name is missing: then that entry is
// null, the entries before it hold their new addresses, and the ones after it
// keep what they held. The module reference is released in every case.
int32_t BindHostFunctions(const char* module_file_name, HostFunctionTable& table);

}  // namespace rowshift
