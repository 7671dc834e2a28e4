#include <windows.h>

#include "platform/module_loader.h"

namespace rowshift::platform {

ModuleHandle LoadModule(const char* file_name) {
  if (file_name == nullptr) return nullptr;
  return reinterpret_cast<ModuleHandle>(LoadLibraryA(file_name));
}

void* ResolveExport(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void ReleaseModule(ModuleHandle module) {
  if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

bool IsModuleLoaded(const char* file_name) {
  if (file_name == nullptr) return false;
  // GetModuleHandleA takes no reference and loads nothing.
  return GetModuleHandleA(file_name) != nullptr;
}

}  // namespace rowshift::platform
