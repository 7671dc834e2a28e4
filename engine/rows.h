// Row navigation. A row is an object whose Eligible value is nonzero and none
// of whose ancestors is collapsed; empty slots are passed over everywhere.
#pragma once

#include <cstdint>

#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

enum class RowDirection { Forward, Backward };

// The next (or previous) row after `from`; with none, the first (or last) row
// of the list. None when there is no such row.
Object FindRow(const Document& document, Object from, RowDirection direction);

// FindRow forward, passing over the objects of `passed_over` (a subtree
// collected earlier that still stands at its old place): on meeting one the
// search goes on behind the subtree's last entry, so that an object never
// finds its own descendants.
Object FindRowPassingOver(const Document& document, Object from, const Subtree& passed_over);

// An object with the slot it was found in.
struct LocatedObject {
  Object object = nullptr;
  int32_t index = -1;
};

// The last object with a nonzero Eligible value below `index`, collapsed
// ancestors or not; none (index -1) when there is none.
LocatedObject FindLastEligibleBefore(const Document& document, int32_t index);
Object LastEligibleBefore(const Document& document, int32_t index);

}  // namespace rowshift
