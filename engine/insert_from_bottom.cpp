// Insert here: the last row, with its descendants, moves behind the current
// object (behind its hidden block when it is collapsed).

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {
namespace {

// Where the last row goes: behind the current object, or behind the last
// object of its hidden block when it has children and is collapsed. The
// landing then passes what does not belong to the last row.
LocatedObject InsertionAnchor(const Document& document, const LocatedObject& current,
                              int32_t count) {
  if (document.ChildCount(current.object) <= 0 ||
      !document.Flag(current.object, ObjectValueId::Collapsed)) {
    return current;
  }
  return EndOfDeeperRun(document, current, document.Value(current.object, ObjectValueId::Depth),
                        count);
}

}  // namespace

int32_t InsertFromBottom(void* handle) {
  const auto open = Open(handle);
  if (!open) return kNoObjectToMove;
  const Document& document = open->document;
  // Nothing moves before the last row does: one count serves every search.
  const int32_t count = open->count;
  const CurrentReading current = ReadCurrent(document, count);
  if (current.object == nullptr) return kNoObjectToMove;
  const LocatedObject anchor = InsertionAnchor(document, {current.object, current.index}, count);

  const LocatedObject last_row = FindRow(document, count - 1, RowDirection::Backward, count);
  if (last_row.object == nullptr) return kNoObjectToMove;
  if (last_row.object == current.object) return current.index;
  const Mover mover = ReadMover(document, last_row, count);
  MovingObjects moving;
  moving.Add(mover);
  // The current object hidden under the last row would travel with it and
  // leave its index naming an emptied slot: treat it as the last row itself.
  if (moving.Contains(current.object)) return current.index;

  const LocatedObject following = FindRow(document, anchor.index + 1, RowDirection::Forward, count);
  const Landing landing =
      LandingInFrontOfRow(document, anchor, following.object, mover, moving, count);
  SubtreeMoves moves(document, count);
  moves.MoveWithSubtree(mover, landing.anchor, landing.depth);
  moves.Finish();
  return kDone;
}

}  // namespace rowshift
