#include <dlfcn.h>

#include "platform/module_loader.h"

namespace rowshift::platform {

ModuleHandle LoadModule(const char* file_name) {
  if (file_name == nullptr) return nullptr;
  return dlopen(file_name, RTLD_NOW | RTLD_LOCAL);
}

std::string LastLoadError() {
  const char* message = dlerror();
  return message != nullptr ? message : "";
}

void* ResolveExport(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return dlsym(module, name);
}

void ReleaseModule(ModuleHandle module) {
  if (module != nullptr) dlclose(module);
}

}  // namespace rowshift::platform
