#include <windows.h>

#include "platform/library_detach.h"

// The C++ runtime's release of its lifetime allocations, as memory checkers
// call it; the runtime is linked into the library, so this frees the library's own.
namespace __gnu_cxx {
void __freeres();
}  // namespace __gnu_cxx

namespace rowshift::platform {
namespace {

// Constant-initialised, so it is set before and read after every static
// constructor and destructor of the library.
bool process_terminating = false;

}  // namespace

bool ProcessIsTerminating() { return process_terminating; }

}  // namespace rowshift::platform

// The library's entry point. The runtime calls it on detach before it runs the
// library's static destructors; a non-null `reserved` on detach means the
// process is terminating rather than the library being freed.
extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
  if (reason != DLL_PROCESS_DETACH) return TRUE;
  if (reserved != nullptr) {
    rowshift::platform::process_terminating = true;
  } else {
    __gnu_cxx::__freeres();
  }
  return TRUE;
}
