#include <malloc.h>

#include "system/heap_usage.h"

namespace rowshift::testing {

// Blocks handed out from the heap arenas plus those mapped on their own.
std::size_t HeapBytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

}  // namespace rowshift::testing
