#include "exports/entry_point_binding.h"

#include <cstring>

#include "boundary/host_function_list.h"
#include "platform/module_loader.h"

namespace rowshift {

namespace {

// Stores the export named `name` (or null) in `entry`; false when it is missing.
template <typename Entry>
bool BindEntry(platform::ModuleHandle module, const char* name, Entry& entry) {
  void* address = platform::ResolveExport(module, name);
  // The loader answers exports as data addresses; the entry holds a function
  // pointer of the same size, which is how the platform hands out code.
  static_assert(sizeof entry == sizeof address, "function and data pointers differ in size");
  std::memcpy(&entry, &address, sizeof entry);
  return address != nullptr;
}

// Stops at the first missing name, leaving the later entries as they were.
bool BindEveryName(platform::ModuleHandle module, HostFunctionTable& table) {
#define ROWSHIFT_BIND_CALLED(name, result, params) \
  if (!BindEntry(module, #name, table.name)) return false;
#define ROWSHIFT_BIND_RESOLVED(name) \
  if (!BindEntry(module, #name, table.name)) return false;
  ROWSHIFT_HOST_FUNCTIONS(ROWSHIFT_BIND_CALLED, ROWSHIFT_BIND_RESOLVED)
#undef ROWSHIFT_BIND_CALLED
#undef ROWSHIFT_BIND_RESOLVED
  return true;
}

}  // namespace

int32_t BindHostFunctions(const char* module_file_name, HostFunctionTable& table) {
  platform::ModuleHandle module = platform::LoadModule(module_file_name);
  if (module == nullptr) return 0;
  const bool bound = BindEveryName(module, table);
  platform::ReleaseModule(module);
  return bound ? 1 : 0;
}

}  // namespace rowshift
