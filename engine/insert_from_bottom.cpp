// Insert here: the last row, with its descendants, moves behind the current
// object (behind its hidden block when it is collapsed).
#include <utility>

#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr int32_t kNothingToActOn = -1;
constexpr int32_t kMoved = 1;

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

  const Object following = FindRow(document, anchor.index + 1, RowDirection::Forward, count).object;
  const int32_t new_depth =
      following == nullptr ? 0 : document.Value(following, ObjectValueId::Depth);
  Object moved = last_row.object;
  if (moved != anchor.object) moved = MoveObjectAfter(document, moved, anchor.object).object;
  document.SetValue(moved, ObjectValueId::Depth, new_depth);
  RelocateSubtree(document, std::move(subtree), moved,
                  static_cast<DepthDifference>(new_depth) - old_depth);
  return kMoved;
}

}  // namespace rowshift
