// Move up and Move down: the current object, with its descendants, one row on.
#include <utility>

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {
namespace {

constexpr int32_t kFlagSet = 1;
constexpr int32_t kFlagClear = 0;

// The current object's place, read before anything moves.
struct Start {
  int32_t index;        // the current object's slot
  int32_t subtree_end;  // the first slot behind its subtree (empty slots aside)
  int32_t count;
};

// The row the object is to land in front of; none: the end of the list.
using TargetFinder = LocatedObject (*)(const Document&, const Start&);

LocatedObject RowAbove(const Document& document, const Start& start) {
  return FindRow(document, start.index - 1, RowDirection::Backward, start.count);
}

// The row behind the next row after the subtree; with no row after the
// subtree, the first row of the list.
LocatedObject RowBelowNext(const Document& document, const Start& start) {
  const LocatedObject next_row =
      FindRow(document, start.subtree_end, RowDirection::Forward, start.count);
  const int32_t from = next_row.object == nullptr ? 0 : next_row.index + 1;
  return FindRow(document, from, RowDirection::Forward, start.count);
}

// In front of the target row, behind the last eligible object before it (the
// last of the list when there is no target), at the target's depth. A target
// that moves itself (down wrapping onto the object's own place) gives no
// depth: then no row follows the landing.
Landing LandingBefore(const Document& document, const LocatedObject& target, const Mover& mover,
                      const MovingObjects& moving, int32_t count) {
  ProposedLanding proposed;
  proposed.anchor =
      LastEligibleBefore(document, target.object == nullptr ? count : target.index, count);
  if (target.object != nullptr && !moving.Contains(target.object)) {
    proposed.depth = document.Value(target.object, ObjectValueId::Depth);
    proposed.following_row = target.object;
  }
  proposed.kept_in_sight = mover.object.object;
  return KeepHierarchy(document, proposed, moving, count);
}

int32_t MoveByOneRow(void* handle, TargetFinder find_target) {
  const Document document(handle);
  if (!document.IsUsable()) return kNoObjectToMove;
  const int32_t count = document.ObjectCount();
  const CurrentReading current = ReadCurrent(document, count);
  if (current.object == nullptr) return kNoObjectToMove;

  Mover mover{
      {current.object, current.index}, document.Value(current.object, ObjectValueId::Depth), {}};
  RunEnd subtree_end;
  mover.subtree = CollectSubtree(document, current.index, mover.depth, count, &subtree_end);
  MovingObjects moving;
  moving.Add(mover.object.object);
  moving.Add(mover.subtree);
  const LocatedObject target = find_target(document, {current.index, subtree_end.index, count});
  const Landing landing = LandingBefore(document, target, mover, moving, count);

  SubtreeMoves moves(document, count);
  const MoverPlaced placed = moves.MoveWithSubtree(std::move(mover), landing.anchor, landing.depth);
  if (placed.placed) {
    // An insertion answer beyond the list names no slot to make current.
    if (placed.object.object != current.object && placed.object.index < moves.SlotCount()) {
      document.SetCurrentIndex(placed.object.index);
    }
    // A Collapsed value reads 1 or 0 afterwards, as the object's copy carries it.
    const bool collapsed = document.Flag(placed.object.object, ObjectValueId::Collapsed);
    document.SetValue(placed.object.object, ObjectValueId::Collapsed,
                      collapsed ? kFlagSet : kFlagClear);
  }
  moves.LowerLeftBehind();
  moves.KeepOutline();
  return kDone;
}

}  // namespace

int32_t MoveUp(void* document) { return MoveByOneRow(document, RowAbove); }

int32_t MoveDown(void* document) { return MoveByOneRow(document, RowBelowNext); }

}  // namespace rowshift
