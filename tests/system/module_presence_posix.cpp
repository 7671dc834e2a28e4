#include <dlfcn.h>

#include "system/module_presence.h"

namespace rowshift::testing {

bool IsModuleLoaded(const char* file_name) {
  if (file_name == nullptr) return false;
  // RTLD_NOLOAD answers an existing module (taking a reference) or null.
  void* module = dlopen(file_name, RTLD_NOW | RTLD_NOLOAD);
  if (module == nullptr) return false;
  dlclose(module);
  return true;
}

}  // namespace rowshift::testing
