// Where a moved object lands, so that the list goes on encoding the same
// hierarchy for every object that does not move.
//
// An operation proposes a landing: an anchor, and the depth of the row that
// follows it. Rows pass over objects that are not rows (not eligible, or
// hidden under a collapsed object), and such objects may stand between the
// anchor and that row. Taking the landing as proposed would then give them to
// the moved object, put it more than one level below the object in front of
// it, or hide it. So, looking from the anchor:
//  1. the landing moves on past the objects directly behind the anchor that
//     are deeper than the depth: they belong to the object in front of them;
//  2. the depth becomes at most one level below the object then in front of
//     the landing, and 0 where no object is;
//  3. where asked, an object that was a row is not hidden: where the depth
//     would put it under a collapsed object, it becomes the outermost such
//     object's sibling, behind the block hidden under it.
// Empty slots, and the objects that the operation is moving and that still
// stand at their old places, count for nothing. Where the row that gave the
// depth stands directly behind the anchor, the proposed landing keeps the
// hierarchy already and stands.
#pragma once

#include <cstdint>

#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

struct Landing {
  LocatedObject anchor;  // land directly behind it; none: at index 0
  int32_t depth = 0;
};

struct ProposedLanding {
  LocatedObject anchor;
  int32_t depth = 0;
  // The row that gave the depth, where it stays in place; none where no row
  // did (the depth is then 0) or where that row is itself moving.
  Object following_row = nullptr;
  // The moved object as it stands before anything moved, kept visible (rule
  // 3) where it is a row there; none for a landing that may hide it.
  Object object_to_keep_visible = nullptr;
};

// `proposed`, kept to the hierarchy by the rules above, before anything
// moves; `count` is the slot count as the caller read it.
Landing LandingThatKeepsHierarchy(const Document& document, const ProposedLanding& proposed,
                                  const MovingObjects& moving, int32_t count);

// The landing of `mover` directly behind `anchor` (at index 0 for none), in
// front of `row`, whose depth it takes (0 where `row` is none), kept to the
// hierarchy and visible. `moving` holds the mover and its subtree.
Landing LandingInFrontOfRow(const Document& document, const LocatedObject& anchor, Object row,
                            const Mover& mover, const MovingObjects& moving, int32_t count);

}  // namespace rowshift
