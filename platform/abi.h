// The binary conventions at the host boundary, in one place.
//
// Every host function pointer and every export carries ROWSHIFT_CALL, so the
// calling convention can follow the host by changing this one line. Only this
// folder knows which compiler and platform it is on.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define ROWSHIFT_CALL __cdecl
// The plug-in's exports are named by Rowshift.def; nothing else leaves the DLL.
#define ROWSHIFT_PLUGIN_EXPORT
#define ROWSHIFT_MODULE_EXPORT __declspec(dllexport)
#define ROWSHIFT_MODULE_IMPORT __declspec(dllimport)
#else
#define ROWSHIFT_CALL
#define ROWSHIFT_PLUGIN_EXPORT __attribute__((visibility("default")))
#define ROWSHIFT_MODULE_EXPORT __attribute__((visibility("default")))
#define ROWSHIFT_MODULE_IMPORT
#endif

namespace rowshift {

// One UTF-16 code unit. Display strings, titles and labels cross the boundary
// as NUL-terminated arrays of these on every platform.
#if defined(_WIN32)
using WideChar = wchar_t;
#else
using WideChar = char16_t;
#endif

static_assert(sizeof(WideChar) == 2, "wide text is UTF-16 at the host boundary");

}  // namespace rowshift
