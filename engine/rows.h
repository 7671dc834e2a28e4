// Row navigation. A row is an object whose Eligible value is nonzero and none
// of whose ancestors is collapsed; empty slots are passed over everywhere.
//
// Each search reads the count once: during a search the document does not
// change. A search that meets an object hidden under a collapsed ancestor
// passes the whole block hidden under the outermost such ancestor in one step,
// reading depths only (forward), or goes straight back to that ancestor
// (backward), so each hidden block costs one ancestor walk; and a walk stops
// at an ancestor that an earlier walk of the same search met.
#pragma once

#include <cstdint>

#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

enum class RowDirection { Forward, Backward };

// The first row at or after (or at or before) slot `start` among `count`
// slots, the count as read by the caller; none (index -1) when there is none.
// With `passed_over` (a subtree collected earlier that still stands at its old
// place; forward only), meeting one of its objects goes on behind its last
// entry, so that an object never finds its own descendants. `first_passed`,
// when given, receives the first object that the search met and passed over
// (none when it met none): what stands between `start` and the row found.
LocatedObject FindRow(const Document& document, int32_t start, RowDirection direction,
                      int32_t count, const Subtree* passed_over = nullptr,
                      LocatedObject* first_passed = nullptr);

// The last object with a nonzero Eligible value below `index`, collapsed
// ancestors or not; none (index -1) when there is none. Reads the count
// afresh, unless `index` is 0 or less. `passed`, when given, receives the
// object that stands directly behind the one found (the first of the list
// when none was found), empty slots aside; none when no object stands between
// the one found and `index`.
LocatedObject LastEligibleBefore(const Document& document, int32_t index,
                                 LocatedObject* passed = nullptr);
// The same within the first `count` slots, the count as read by the caller.
LocatedObject LastEligibleBefore(const Document& document, int32_t index, int32_t count,
                                 LocatedObject* passed = nullptr);

}  // namespace rowshift
