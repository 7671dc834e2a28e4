// The locale step of library load.
//
// The plug-in's runtime library on Windows is its own, so its character-type
// category is set to Japanese with code page 932 when the library is loaded.
// On POSIX the C library and its locale belong to the host process, so the
// step leaves them alone there.
#pragma once

namespace rowshift::platform {

// Runs once, during static initialisation of the plug-in library. Whether the
// locale exists is not checked: nothing in the plug-in reads the category.
void ApplyLoadTimeLocale();

}  // namespace rowshift::platform
