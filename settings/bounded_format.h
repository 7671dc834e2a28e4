// printf-style formatting into fixed buffers that are never overrun.
//
// Both functions return the number of characters written (the terminator not
// counted), or -1 when formatting failed or the text did not fit; in either
// case the buffer holds NUL-terminated text (empty on failure).
#pragma once

#include <array>
#include <cstddef>

#include "platform/abi.h"

namespace rowshift {

inline constexpr std::size_t kNarrowFormatCapacity = 64;  // bytes, the terminator included
inline constexpr std::size_t kWideFormatCapacity = 64;    // UTF-16 units, the terminator included

using NarrowFormatBuffer = std::array<char, kNarrowFormatCapacity>;
using WideFormatBuffer = std::array<WideChar, kWideFormatCapacity>;

int FormatNarrow(NarrowFormatBuffer& buffer, const char* format, ...);

// The format is narrow: the text is formatted narrow, then converted from the
// system code page, so the count is in UTF-16 units.
int FormatWide(WideFormatBuffer& buffer, const char* format, ...);

}  // namespace rowshift
