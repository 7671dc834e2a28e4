#include <windows.h>

#include <cstdlib>

#include "platform/library_detach.h"

// The C++ runtime's release of its lifetime allocations, as memory checkers
// call it; the runtime is linked into the library, so this frees the library's own.
namespace __gnu_cxx {
void __freeres();
}  // namespace __gnu_cxx

namespace rowshift::platform {
namespace {

// Constant-initialised, so they are set before and read after every static
// constructor and destructor of the library.
bool loaded_as_library = false;
bool process_terminating = false;

// The runtime's lifetime allocation is its emergency exception pool, and
// freeing it leaves the pool's free list pointing into the freed block. So it
// is freed only once no code of the library can throw or let go of an
// exception: after every static destructor, the runtime's own included (an
// exception thrown when memory is short is taken from the pool, and one taken
// earlier and still held goes back to it). Exit handlers run in reverse order
// of registration, and this one is registered before any static constructor
// runs, so it runs after every destructor those register, and after DllMain.
void ReleaseRuntimeMemory() {
  if (loaded_as_library && !process_terminating) __gnu_cxx::__freeres();
}

// Priority 101 is the first that programs may use: ahead of every static
// constructor of the library and of its runtime.
__attribute__((constructor(101))) void RegisterRuntimeRelease() {
  std::atexit(ReleaseRuntimeMemory);
}

}  // namespace

bool ProcessIsTerminating() { return process_terminating; }

}  // namespace rowshift::platform

// The library's entry point. The runtime calls it on detach before it runs the
// library's exit handlers (its static destructors); a non-null `reserved` on
// detach means the process is terminating rather than the library being freed.
// A program that links this file is never attached, and keeps its runtime's memory.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) rowshift::platform::loaded_as_library = true;
  if (reason == DLL_PROCESS_DETACH && reserved != nullptr) {
    rowshift::platform::process_terminating = true;
  }
  return TRUE;
}
