// Whether a module is in the process, for tests that watch one go away.
#pragma once

namespace rowshift::testing {

// Whether the module that `file_name` designates is in the process now. Takes
// no reference and never loads it.
bool IsModuleLoaded(const char* file_name);

}  // namespace rowshift::testing
