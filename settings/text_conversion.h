// The text conversions the settings store needs at the host's UTF-8 interface.
//
// Each takes a possibly null, NUL-terminated input and returns a new string; a
// null input gives an empty string. Invalid input (bytes that are not UTF-8,
// lone surrogates) is converted with U+FFFD in place of each bad sequence and
// is never read past its terminator.
#pragma once

#include <string>

#include "platform/abi.h"

namespace rowshift {

// Narrow text in the system's active code page (key and element names) to UTF-8.
std::string SystemToUtf8(const char* text);

WideString Utf8ToWide(const char* text);

std::string WideToUtf8(const WideChar* text);

}  // namespace rowshift
