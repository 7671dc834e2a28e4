// Collecting an object's descendants and re-creating them behind a new place.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/current_object.h"
#include "engine/document.h"

namespace rowshift {

// One collected descendant: the object and its depth as read when collected.
struct SubtreeEntry {
  Object object = nullptr;
  int32_t depth = 0;
};

// A collected subtree in list order. Owned by the operation that collected
// it; the handles in it are valid only until that operation moves them.
using Subtree = std::vector<SubtreeEntry>;

// A change of depth applied to a whole subtree. Wide, so that no pair of
// 32-bit depths can overflow it.
using DepthDifference = int64_t;

// `depth` + `difference`, held within the 32-bit range.
int32_t ShiftDepth(int32_t depth, DepthDifference difference);

// Where a collected run ended: the slot (the count when the run reached the
// end of the list) and the object there with its depth, as read (none at the
// end of the list).
struct SubtreeEnd {
  int32_t index = 0;
  Object object = nullptr;
  int32_t depth = 0;
};

// The descendants of the object at slot `index` whose depth is `depth`, among
// `count` slots, all three as read by the caller: the objects that follow it
// up to the first one whose depth is not greater than `depth`. Empty slots are
// passed over; flags play no part. `end`, when given, receives where the run
// ended. Empty for a negative `index` (an object that stands in no slot).
Subtree CollectSubtree(const Document& document, int32_t index, int32_t depth, int32_t count,
                       SubtreeEnd* end = nullptr);

// Whether `object` is one of the collected descendants.
bool Contains(const Subtree& subtree, Object object);

// What a relocation left behind its anchor.
struct Relocation {
  // What stands for the last entry placed, moved or stayed; the anchor when
  // none was.
  Object last = nullptr;
  // Where `last` stands: the last insertion's answer, or the anchor's slot
  // when nothing was moved; -1 when the last entry stayed where it stood.
  int32_t last_slot = -1;
};

// Re-creates the collected descendants one by one behind `anchor` (the object
// just placed), in their old order, each at its collected depth plus
// `difference`. A descendant that cannot be moved ends it: that one and the
// rest stay where they stand, at their depths, and the result is as of the
// last one placed. `current`, when given, takes note of every move.
Relocation RelocateSubtree(const Document& document, Subtree subtree, LocatedObject anchor,
                           DepthDifference difference, CurrentObject* current = nullptr);

}  // namespace rowshift
