#include <windows.h>

#include <algorithm>
#include <vector>

#include "system/heap_usage.h"

namespace rowshift::testing {
namespace {

std::size_t BusyBytes(HANDLE heap) {
  std::size_t bytes = 0;
  if (!HeapLock(heap)) return 0;
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry)) {
    if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) bytes += entry.cbData;
  }
  HeapUnlock(heap);
  return bytes;
}

}  // namespace

std::size_t HeapBytesInUse() {
  const DWORD count = GetProcessHeaps(0, nullptr);
  std::vector<HANDLE> heaps(count);
  // A heap made between the two calls is left out; only `count` handles fit.
  heaps.resize(std::min(count, GetProcessHeaps(count, heaps.data())));
  std::size_t bytes = 0;
  for (HANDLE heap : heaps) bytes += BusyBytes(heap);
  return bytes;
}

}  // namespace rowshift::testing
