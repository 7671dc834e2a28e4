#include "engine/subtree_move.h"

#include <algorithm>
#include <utility>

#include "engine/move_step.h"

namespace rowshift {
namespace {

constexpr int32_t kStayedSlot = -1;

}  // namespace

MovedObject SubtreeMoves::Step(Object object, Object anchor) {
  const MovedObject moved = MoveObjectAfter(document_, object, anchor);
  if (moved.added_slot >= 0) ++slots_added_;
  if (current_ != nullptr) current_->Moved(object, moved);
  return moved;
}

MoverPlaced SubtreeMoves::MoveWithSubtree(Mover mover, const LocatedObject& anchor, int32_t depth) {
  MoverPlaced result;
  result.object = mover.object;
  if (mover.object.object != anchor.object) {
    const MovedObject moved = Step(mover.object.object, anchor.object);
    if (moved.index < 0) return result;
    result.object = {moved.object, moved.index};
  }
  result.placed = true;
  document_.SetValue(result.object.object, ObjectValueId::Depth, depth);

  const DepthDifference difference = static_cast<DepthDifference>(depth) - mover.depth;
  result.last = result.object;
  for (auto entry = mover.subtree.begin(); entry != mover.subtree.end(); ++entry) {
    if (entry->object == result.last.object) {
      result.last.index = kStayedSlot;
    } else {
      const MovedObject moved = Step(entry->object, result.last.object);
      if (moved.index < 0) {
        for (; entry != mover.subtree.end(); ++entry) left_behind_.push_back(entry->object);
        break;
      }
      result.last = {moved.object, moved.index};
    }
    document_.SetValue(result.last.object, ObjectValueId::Depth,
                       ShiftDepth(entry->depth, difference));
  }
  return result;
}

void SubtreeMoves::LowerLeftBehind() const {
  std::vector<std::pair<int32_t, Object>> in_order;
  for (const Object object : left_behind_) in_order.emplace_back(document_.IndexOf(object), object);
  std::sort(in_order.begin(), in_order.end());
  for (const auto& [index, object] : in_order) {
    if (index < 0) continue;
    const Object front = ObjectInFront(document_, index - 1).object;
    const int32_t deepest =
        front == nullptr ? 0 : ShiftDepth(document_.Value(front, ObjectValueId::Depth), 1);
    if (document_.Value(object, ObjectValueId::Depth) > deepest) {
      document_.SetValue(object, ObjectValueId::Depth, deepest);
    }
  }
}

}  // namespace rowshift
