// How much of the process's heap is in use, for tests that watch memory grow.
#pragma once

#include <cstddef>

namespace rowshift::testing {

// Bytes in allocated heap blocks across the process: the C library's heap on
// POSIX, every heap of the process on Windows (the runtime's included).
std::size_t HeapBytesInUse();

}  // namespace rowshift::testing
