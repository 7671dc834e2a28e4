// Loading a module by file name, resolving its exports by name, releasing it.
//
// Each successful LoadModule takes one reference on the module; ReleaseModule
// gives it back. The file name is narrow text in the system code page.
#pragma once

#include <string>

namespace rowshift::platform {

using ModuleHandle = void*;

// The module, or null when the file cannot be loaded as a module.
ModuleHandle LoadModule(const char* file_name);

// Why the last LoadModule on this thread answered null, in the loader's own
// words; empty when it gave none.
std::string LastLoadError();

// The address of the export named `name`, or null when the module lacks it.
void* ResolveExport(ModuleHandle module, const char* name);

// Gives back the reference LoadModule took. A null module is ignored.
void ReleaseModule(ModuleHandle module);

}  // namespace rowshift::platform
