// Insert here: the last row, with its descendants, moves behind the current
// object (behind its hidden block when it is collapsed).
#include <utility>

#include "engine/landing.h"
#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

// Where the last row goes: behind the current object, or behind the last
// eligible object of its hidden block when it has children and is collapsed.
// Never in front of the current object, which must keep its index.
LocatedObject InsertionAnchor(const Document& document, const LocatedObject& current,
                              int32_t count) {
  if (document.ChildCount(current.object) <= 0 ||
      !document.Flag(current.object, ObjectValueId::Collapsed)) {
    return current;
  }
  const LocatedObject next_row = FindRow(document, current.index + 1, RowDirection::Forward, count);
  const int32_t bound = next_row.object == nullptr ? count : next_row.index;
  const LocatedObject end_of_block = LastEligibleBefore(document, bound);
  return end_of_block.index < current.index ? current : end_of_block;
}

// Behind the anchor, at the depth of the row that follows it (0 when none
// does), kept to the hierarchy where objects that are not rows stand between.
Landing InsertionLanding(const Document& document, const LocatedObject& anchor,
                         const LocatedObject& last_row, int32_t old_depth, const Subtree& subtree,
                         int32_t count) {
  LocatedObject passed;
  const Object following =
      FindRow(document, anchor.index + 1, RowDirection::Forward, count, nullptr, &passed).object;
  const Landing landing{anchor,
                        following == nullptr ? 0 : document.Value(following, ObjectValueId::Depth)};
  if (passed.object == nullptr) return landing;
  MovingObjects moving;
  moving.Add(last_row.object, subtree);
  const KeptInSight in_sight{last_row, old_depth};
  return KeepHierarchy(document, landing, passed, moving, &in_sight);
}

}  // namespace

int32_t InsertFromBottom(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kNothingToActOn;
  const int32_t current_index = document.CurrentIndex();
  if (current_index < 0) return kNothingToActOn;
  const Object current = document.ObjectAt(current_index);
  // An index naming an empty slot names no object.
  if (current == nullptr) return kNothingToActOn;
  // Nothing moves before the last row does: one count serves every search.
  const int32_t count = document.ObjectCount();
  const LocatedObject anchor = InsertionAnchor(document, {current, current_index}, count);

  const LocatedObject last_row = FindRow(document, count - 1, RowDirection::Backward, count);
  if (last_row.object == nullptr) return kNothingToActOn;
  if (last_row.object == current) return current_index;
  const int32_t old_depth = document.Value(last_row.object, ObjectValueId::Depth);
  Subtree subtree = CollectSubtree(document, last_row.index, old_depth, count);
  // The current object hidden under the last row would travel with it and
  // leave its index naming an emptied slot: treat it as the last row itself.
  if (Contains(subtree, current)) return current_index;

  const Landing landing = InsertionLanding(document, anchor, last_row, old_depth, subtree, count);
  LocatedObject moved = last_row;
  if (moved.object != landing.anchor.object) {
    const MovedObject step = MoveObjectAfter(document, moved.object, landing.anchor.object);
    moved = {step.object, step.index};
  }
  document.SetValue(moved.object, ObjectValueId::Depth, landing.depth);
  RelocateSubtree(document, std::move(subtree), moved,
                  static_cast<DepthDifference>(landing.depth) - old_depth);
  return kDone;
}

}  // namespace rowshift
