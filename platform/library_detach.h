// What the library learns and does when it is detached from the process.
//
// When a host exits without unloading its plug-ins, the host's own objects are
// destroyed before the plug-in library is detached; a call into the host from
// the plug-in's static destructors would then reach freed memory. An ordinary
// unload, with the host still running, is not process termination.
//
// On Windows an ordinary unload also gives back the memory the statically
// linked C++ runtime keeps for the library's lifetime (its emergency exception
// pool), which would otherwise stay behind at every unload; it does so last,
// after the library's static destructors.
#pragma once

namespace rowshift::platform {

// True once the system has told the library that the process is terminating.
// Windows says so in the library's detach notification; POSIX offers no such
// notice, so there it is always false.
bool ProcessIsTerminating();

}  // namespace rowshift::platform
