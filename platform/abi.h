// The binary conventions at the host boundary, in one place.
//
// Every host function pointer and every export carries ROWSHIFT_CALL, so the
// calling convention can follow the host by changing this one line (on x86-64
// there is only one, and the keyword changes nothing). Only this folder knows
// which compiler and platform it is on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// UTF-16 text, NUL-terminated by c_str() when handed across.
using WideString = std::basic_string<WideChar>;

// The plug-in is built for two machines: 32-bit x86 (PE32) and x86-64 (PE32+,
// and the Linux build). Handles and every other pointer are 4 or 8 bytes
// wide; ints stay 32-bit, bools one byte. Records crossing the boundary have
// the natural layout of their fields in order, so a pointer after a 32-bit
// field is padded to 8 on x86-64.
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "a 32-bit or a 64-bit machine");
static_assert(sizeof(int32_t) == 4 && sizeof(float) == 4 && sizeof(double) == 8 &&
                  sizeof(bool) == 1,
              "ints and floats 32-bit, doubles 64-bit, bools one byte on both machines");

// A record's size or a field's offset on each machine, for the static_asserts
// that pin every record where it is defined.
constexpr std::size_t PerMachine(std::size_t on_32_bit, std::size_t on_64_bit) {
  return sizeof(void*) == 8 ? on_64_bit : on_32_bit;
}

}  // namespace rowshift
