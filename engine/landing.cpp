#include "engine/landing.h"

#include "engine/host_contract.h"
#include "engine/rows.h"

namespace rowshift {
namespace {

// The parent that an object at `depth` (above 0) gets behind `front`: `front`
// itself or its nearest ancestor shallower than `depth`; none at the top level.
Object ParentBehind(const Document& document, const ObjectAtDepth& front, int32_t depth) {
  Object object = front.located.object;
  int32_t object_depth = front.depth;
  while (object != nullptr && object_depth >= depth) {
    const Object parent = document.Parent(object);
    const int32_t parent_depth = document.Value(parent, ObjectValueId::Depth);
    // Each parent is shallower than its child, which ends the walk.
    if (OutsideContract(parent_depth >= object_depth)) return nullptr;
    object = parent;
    object_depth = parent_depth;
  }
  return object;
}

// Rule 3: behind the block hidden under the outermost collapsed object that
// `landing` would put `object` under, at that object's depth, where `object`
// is a row now; `landing` as it is otherwise.
Landing KeptVisible(const Document& document, const Landing& landing, const ObjectAtDepth& front,
                    Object object, const MovingObjects& moving, int32_t count) {
  const Object parent = ParentBehind(document, front, landing.depth);
  if (parent == nullptr) return landing;
  HiddenTest hidden(document, count);
  const Object hiding = hidden.OutermostCollapsedAtOrAbove(parent);
  if (hiding == nullptr || !IsRow(document, object, hidden)) return landing;
  const int32_t depth = document.Value(hiding, ObjectValueId::Depth);
  return {EndOfDeeperRun(document, landing.anchor, depth, count, &moving), depth};
}

}  // namespace

Landing LandingThatKeepsHierarchy(const Document& document, const ProposedLanding& proposed,
                                  const MovingObjects& moving, int32_t count) {
  Landing landing{proposed.anchor, proposed.depth};
  // Rule 1.
  const DeeperRun deeper =
      WalkDeeperRun(document, landing.anchor.index + 1, landing.depth, count, &moving);
  if (deeper.last.located.object == nullptr && proposed.following_row != nullptr &&
      deeper.behind.located.object == proposed.following_row) {
    return landing;
  }
  if (deeper.last.located.object != nullptr) landing.anchor = deeper.last.located;
  // Rule 2; at the top level nothing in front matters.
  if (landing.depth <= kTopLevel) return landing;
  const ObjectAtDepth front = deeper.last.located.object != nullptr
                                  ? deeper.last
                                  : ObjectInFront(document, landing.anchor.index, &moving);
  if (front.located.object == nullptr) return {landing.anchor, kTopLevel};
  if (landing.depth > DeepestBehind(front.depth)) landing.depth = DeepestBehind(front.depth);
  if (proposed.object_to_keep_visible == nullptr || OutsideContract(landing.depth <= kTopLevel)) {
    return landing;
  }
  return KeptVisible(document, landing, front, proposed.object_to_keep_visible, moving, count);
}

Landing LandingInFrontOfRow(const Document& document, const LocatedObject& anchor, Object row,
                            const Mover& mover, const MovingObjects& moving, int32_t count) {
  ProposedLanding proposed;
  proposed.anchor = anchor;
  if (row != nullptr) {
    proposed.depth = document.Value(row, ObjectValueId::Depth);
    if (!moving.Contains(row)) proposed.following_row = row;
  }
  proposed.object_to_keep_visible = mover.object.object;
  return LandingThatKeepsHierarchy(document, proposed, moving, count);
}

}  // namespace rowshift
