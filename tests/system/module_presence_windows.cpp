#include <windows.h>

#include "system/module_presence.h"

namespace rowshift::testing {

bool IsModuleLoaded(const char* file_name) {
  if (file_name == nullptr) return false;
  // GetModuleHandleA takes no reference and loads nothing.
  return GetModuleHandleA(file_name) != nullptr;
}

}  // namespace rowshift::testing
