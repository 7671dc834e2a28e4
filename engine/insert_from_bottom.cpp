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
Object InsertionAnchor(const Document& document, Object current, int32_t current_index) {
  if (document.ChildCount(current) <= 0 || !document.Flag(current, ObjectValueId::Collapsed)) {
    return current;
  }
  const Object next_row = FindRow(document, current, RowDirection::Forward);
  const int32_t bound = next_row == nullptr ? document.ObjectCount() : document.IndexOf(next_row);
  const LocatedObject end_of_block = FindLastEligibleBefore(document, bound);
  return end_of_block.index < current_index ? current : end_of_block.object;
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
  const Object anchor = InsertionAnchor(document, current, current_index);

  Object last_row = FindRow(document, nullptr, RowDirection::Backward);
  if (last_row == nullptr) return kNothingToActOn;
  if (last_row == current) return current_index;
  const int32_t old_depth = document.Value(last_row, ObjectValueId::Depth);
  Subtree subtree = CollectSubtree(document, last_row);
  // The current object hidden under the last row would travel with it and
  // leave its index naming an emptied slot: treat it as the last row itself.
  if (Contains(subtree, current)) return current_index;

  const Object following = FindRow(document, anchor, RowDirection::Forward);
  const int32_t new_depth =
      following == nullptr ? 0 : document.Value(following, ObjectValueId::Depth);
  if (last_row != anchor) last_row = MoveObjectAfter(document, last_row, anchor).object;
  document.SetValue(last_row, ObjectValueId::Depth, new_depth);
  RelocateSubtree(document, std::move(subtree), last_row,
                  static_cast<DepthDifference>(new_depth) - old_depth);
  return kMoved;
}

}  // namespace rowshift
