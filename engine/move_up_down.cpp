// Move up and Move down: the current object, with its descendants, one row on.

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

// The row the object is to land in front of; none: the end of the list. Up:
// the row above the object. Down: the row behind the next row after its
// subtree, which ends in front of slot `subtree_end`; with no row after the
// subtree, the first row of the list.
LocatedObject TargetRow(const Document& document, RowDirection direction, int32_t index,
                        int32_t subtree_end, int32_t count) {
  if (direction == RowDirection::Backward) {
    return FindRow(document, index - 1, RowDirection::Backward, count);
  }
  const LocatedObject next_row = FindRow(document, subtree_end, RowDirection::Forward, count);
  const int32_t from = next_row.object == nullptr ? 0 : next_row.index + 1;
  return FindRow(document, from, RowDirection::Forward, count);
}

// Writes the Collapsed value back as 1 where it was nonzero and 0 otherwise,
// as the object's copy carries it.
void NormaliseCollapsed(const Document& document, Object object) {
  const bool collapsed = document.Flag(object, ObjectValueId::Collapsed);
  document.SetValue(object, ObjectValueId::Collapsed, collapsed ? kFlagSet : kFlagClear);
}

int32_t MoveByOneRow(void* handle, RowDirection direction) {
  const auto open = Open(handle);
  if (!open) return kNoObjectToMove;
  const Document& document = open->document;
  const int32_t count = open->count;
  CurrentObject current(document, count);
  const CurrentReading start = current.AtStart();
  if (start.object == nullptr) return kNoObjectToMove;

  DeeperRun subtree;
  const Mover mover = ReadMover(document, {start.object, start.index}, count, &subtree);
  MovingObjects moving;
  moving.Add(mover);
  const LocatedObject target =
      TargetRow(document, direction, start.index, subtree.behind.located.index, count);
  // In front of the target, behind the last eligible object before it (the
  // last of the list when there is no target). A target that moves itself
  // (down wrapping onto the object's own place) gives no depth.
  const LocatedObject anchor =
      LastEligibleBefore(document, target.object == nullptr ? count : target.index, count);
  const Object row = moving.Contains(target.object) ? nullptr : target.object;
  const Landing landing = LandingInFrontOfRow(document, anchor, row, mover, moving, count);

  SubtreeMoves moves(document, count, &current);
  const MoverPlaced placed = moves.MoveWithSubtree(mover, landing.anchor, landing.depth);
  if (placed.placed) NormaliseCollapsed(document, placed.object.object);
  moves.Finish();
  return kDone;
}

}  // namespace

int32_t MoveUp(void* document) { return MoveByOneRow(document, RowDirection::Backward); }

int32_t MoveDown(void* document) { return MoveByOneRow(document, RowDirection::Forward); }

}  // namespace rowshift
