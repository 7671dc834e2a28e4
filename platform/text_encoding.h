// Conversions between the system code page, UTF-8 and UTF-16.
//
// Every conversion reads its NUL-terminated input up to the terminator and
// returns a new string; a null input gives an empty string. Text that is not
// valid in its source encoding (stray or truncated UTF-8 bytes, lone
// surrogates) comes out with U+FFFD in place of each bad sequence; nothing is
// read past the terminator. The results never contain a NUL: anything after
// an embedded one is dropped.
#pragma once

#include <string>

#include "platform/abi.h"

namespace rowshift::platform {

// Narrow text in the system's active code page (UTF-8 on POSIX systems).
WideString SystemCodePageToUtf16(const char* text);

WideString Utf8ToUtf16(const char* text);

std::string Utf16ToUtf8(const WideChar* text);

}  // namespace rowshift::platform
