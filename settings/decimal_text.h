// Reading a stored value's text as a decimal integer.
#pragma once

#include <cstdint>

#include "settings/text_conversion.h"

namespace rowshift {

// The usual decimal rule: leading white space (space, tab, line feed, vertical
// tab, form feed, carriage return) is skipped, one optional '+' or '-' is
// taken, then ASCII digits up to the first other character. Text with no digit
// there reads as 0. A value beyond the int32 range saturates at INT32_MIN or
// INT32_MAX, as the C library's strtol does for its own type; every int32
// value written with "%d" reads back unchanged.
int32_t ParseDecimal(const WideString& text);

}  // namespace rowshift
