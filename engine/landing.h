// Where a moved object lands, kept so that the list goes on encoding the same
// hierarchy for every object that does not move.
//
// An operation proposes a landing from rows: an anchor, and a depth read from
// the row that follows it. Rows pass over objects that are not rows (not
// eligible, or hidden under a collapsed object), and such objects may stand
// between the anchor and that row. Taking the landing as proposed would then
// give them to the moved object, or put the moved object more than one level
// below the object in front of it, or hide it. So:
//  1. the landing moves on past each object directly behind it that is deeper
//     than the depth: it belongs to the object in front of it and stays there;
//  2. the depth becomes at most one level below the object then in front of
//     the landing, and 0 where no object is;
//  3. where asked, an object that was a row is not hidden: where the depth
//     would put it under a collapsed object, it becomes the outermost such
//     object's sibling, behind the block hidden under it.
// Empty slots, and the objects that the operation is moving and that still
// stand at their old places, count for nothing.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

struct Landing {
  LocatedObject anchor;  // land directly behind it; none: at index 0
  int32_t depth = 0;
};

// The objects that an operation is moving, while they still stand at their
// old places: each with its collected descendants.
class MovingObjects {
 public:
  void Add(Object object, const Subtree& subtree);
  void Remove(Object object, const Subtree& subtree);
  bool Contains(Object object) const { return objects_.count(object) != 0; }

 private:
  std::unordered_set<Object> objects_;
};

// The moved object as it stood before the operation, when it is to stay in
// sight if it was a row there.
struct KeptInSight {
  LocatedObject object;
  int32_t depth = 0;
};

// `proposed`, kept to the hierarchy. `behind` is the first object that the
// operation's search passed over between the anchor and the row that gave the
// depth; none when it passed over nothing, and then the proposed landing keeps
// the hierarchy already and nothing is read.
Landing KeepHierarchy(const Document& document, const Landing& proposed,
                      const LocatedObject& behind, const MovingObjects& moving,
                      const KeptInSight* in_sight = nullptr);

}  // namespace rowshift
