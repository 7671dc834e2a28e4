#include "engine/landing.h"

#include <optional>

#include "engine/rows.h"

namespace rowshift {
namespace {

// A staying object with its depth as read.
struct Staying {
  LocatedObject located;
  int32_t depth = 0;
};

// The nearest staying object at or before slot `index`.
std::optional<Staying> InFront(const Document& document, int32_t index,
                               const MovingObjects& moving) {
  const LocatedObject front = ObjectInFront(document, index, &moving);
  if (front.object == nullptr) return std::nullopt;
  return Staying{front, document.Value(front.object, ObjectValueId::Depth)};
}

// The parent that an object at `depth` (above 0) gets behind `front`: `front`
// itself or its nearest ancestor shallower than `depth`; none at the top level.
Object ParentBehind(const Document& document, const Staying& front, int32_t depth) {
  Object object = front.located.object;
  int32_t object_depth = front.depth;
  while (object != nullptr && object_depth >= depth) {
    const Object parent = document.Parent(object);
    const int32_t parent_depth = document.Value(parent, ObjectValueId::Depth);
    // Each parent is shallower than its child, so the walk ends; a host that
    // answers otherwise ends it at once.
    if (parent_depth >= object_depth) return nullptr;
    object = parent;
    object_depth = parent_depth;
  }
  return object;
}

bool IsRow(const Document& document, Object object, HiddenTest& hidden) {
  return document.Flag(object, ObjectValueId::Eligible) &&
         hidden.OutermostCollapsedAbove(object) == nullptr;
}

}  // namespace

Landing KeepHierarchy(const Document& document, const ProposedLanding& proposed,
                      const MovingObjects& moving, int32_t count) {
  Landing landing{proposed.anchor, proposed.depth};
  const RunEnd deeper =
      WalkDeeperRun(document, landing.anchor.index + 1, landing.depth, count, &moving);
  if (deeper.last.object == nullptr && proposed.following_row != nullptr &&
      deeper.object == proposed.following_row) {
    return landing;
  }
  std::optional<Staying> front;
  if (deeper.last.object != nullptr) {
    landing.anchor = deeper.last;
    front = Staying{deeper.last, deeper.last_depth};
  }
  // At the top level nothing in front matters.
  if (landing.depth <= 0) return landing;
  if (!front) front = InFront(document, landing.anchor.index, moving);
  const int32_t deepest = front ? ShiftDepth(front->depth, 1) : 0;
  if (landing.depth > deepest) landing.depth = deepest;

  if (proposed.kept_in_sight == nullptr || landing.depth <= 0 || !front) return landing;
  HiddenTest hidden(document, count);
  const Object parent = ParentBehind(document, *front, landing.depth);
  if (parent == nullptr) return landing;
  const Object hiding = hidden.OutermostCollapsedAtOrAbove(parent);
  if (hiding == nullptr || !IsRow(document, proposed.kept_in_sight, hidden)) return landing;
  landing.depth = document.Value(hiding, ObjectValueId::Depth);
  // The rest of the block hidden under it belongs to it.
  const RunEnd block =
      WalkDeeperRun(document, landing.anchor.index + 1, landing.depth, count, &moving);
  if (block.last.object != nullptr) landing.anchor = block.last;
  return landing;
}

}  // namespace rowshift
