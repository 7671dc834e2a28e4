// Insert here: the last row, with its descendants, moves behind the current
// object (behind its hidden block when it is collapsed).
#include <utility>

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

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
  const LocatedObject end_of_block = LastEligibleBefore(document, bound, count);
  return end_of_block.index < current.index ? current : end_of_block;
}

// Behind the anchor, at the depth of the row that follows it (0 when none
// does), never hiding the last row.
Landing InsertionLanding(const Document& document, const LocatedObject& anchor,
                         const Mover& last_row, const MovingObjects& moving, int32_t count) {
  ProposedLanding proposed;
  proposed.anchor = anchor;
  const LocatedObject following = FindRow(document, anchor.index + 1, RowDirection::Forward, count);
  if (following.object != nullptr) {
    proposed.depth = document.Value(following.object, ObjectValueId::Depth);
    if (!moving.Contains(following.object)) proposed.following_row = following.object;
  }
  proposed.kept_in_sight = last_row.object.object;
  return KeepHierarchy(document, proposed, moving, count);
}

}  // namespace

int32_t InsertFromBottom(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kNoObjectToMove;
  // Nothing moves before the last row does: one count serves every search.
  const int32_t count = document.ObjectCount();
  const CurrentReading current = ReadCurrent(document, count);
  if (current.object == nullptr) return kNoObjectToMove;
  const LocatedObject anchor = InsertionAnchor(document, {current.object, current.index}, count);

  const LocatedObject last_row = FindRow(document, count - 1, RowDirection::Backward, count);
  if (last_row.object == nullptr) return kNoObjectToMove;
  if (last_row.object == current.object) return current.index;
  Mover mover{last_row, document.Value(last_row.object, ObjectValueId::Depth), {}};
  mover.subtree = CollectSubtree(document, last_row.index, mover.depth, count);
  MovingObjects moving;
  moving.Add(mover.object.object);
  moving.Add(mover.subtree);
  // The current object hidden under the last row would travel with it and
  // leave its index naming an emptied slot: treat it as the last row itself.
  if (moving.Contains(current.object)) return current.index;

  const Landing landing = InsertionLanding(document, anchor, mover, moving, count);
  SubtreeMoves moves(document, count);
  moves.MoveWithSubtree(std::move(mover), landing.anchor, landing.depth);
  moves.LowerLeftBehind();
  moves.KeepOutline();
  return kDone;
}

}  // namespace rowshift
