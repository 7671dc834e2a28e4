// The locale step of library load.
//
// On Windows the library loads the system's shared C runtime (msvcrt.dll),
// whose locale is one per process: setting the character-type category to
// Japanese with code page 932 at load sets it for the whole host process, for
// the host and every other module that uses msvcrt.dll, until one of them sets
// it again. Modules built on another C runtime keep their own locale. On POSIX
// the C library is the host process's too, and the step leaves it alone.
#pragma once

namespace rowshift::platform {

// Runs once, during static initialisation of the plug-in library. Whether the
// locale exists is not checked: nothing in the plug-in reads the category.
void ApplyLoadTimeLocale();

}  // namespace rowshift::platform
