// Move to top and Move to bottom: every selected object, with its descendants,
// to the top level at the front of the list or behind its last eligible
// object, in list order.
//
// The group is listed first, as the list stands at the start: scanning while
// moving would skip slots pushed out of reach, meet its own copies and move
// them again, and break the group's order.
#include <utility>

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {
namespace {

// Where a member goes at the bottom: behind the last eligible object below
// `search_end`, and behind every object deeper than the top level that stands
// directly behind it, as those belong to someone in front (the rest of a
// group, or of a member yet to move, included, so that no group is split
// should the host refuse to move it).
LocatedObject BottomAnchor(const Document& document, const Mover& member, int32_t search_end,
                           int32_t count) {
  MovingObjects moving;
  moving.Add(member);
  const LocatedObject last_eligible = LastEligibleBefore(document, search_end, search_end);
  return LandingThatKeepsHierarchy(document, {last_eligible, kTopLevel}, moving, count).anchor;
}

}  // namespace

int32_t MoveToTop(void* handle) {
  const auto open = Open(handle);
  if (!open || open->count <= 0) return kDone;
  const Document& document = open->document;
  CurrentObject current(document, open->count);
  SubtreeMoves moves(document, open->count, &current);
  // The last object placed at the top; none: the next one goes to index 0.
  LocatedObject anchor;
  for (Mover& member : ListSelectedGroup(document, open->count).members) {
    const MoverPlaced placed = moves.MoveWithSubtree(std::move(member), anchor, kTopLevel);
    if (placed.placed) anchor = placed.last;
  }
  moves.LowerObjectsTooDeep();
  current.Restore(document, moves.SlotCount());
  return kDone;
}

int32_t MoveToBottom(void* handle) {
  const auto open = Open(handle);
  if (!open || open->count <= 0) return kDone;
  const Document& document = open->document;
  CurrentObject current(document, open->count);
  SubtreeMoves moves(document, open->count, &current);
  // Where the search for the last eligible object starts: behind the group
  // placed last, as everything after it stood behind the last eligible object
  // before; the whole list when that slot is not known.
  int32_t search_end = open->count;
  for (Mover& member : ListSelectedGroup(document, open->count).members) {
    const LocatedObject anchor = BottomAnchor(document, member, search_end, moves.SlotCount());
    const MoverPlaced placed = moves.MoveWithSubtree(std::move(member), anchor, kTopLevel);
    // An insertion answer beyond the list names no slot to search from.
    const bool placed_at_known_slot =
        placed.placed && NamesSlot(placed.last.index, moves.SlotCount());
    search_end = placed_at_known_slot ? placed.last.index + 1 : moves.SlotCount();
  }
  moves.LowerObjectsTooDeep();
  current.Restore(document, moves.SlotCount());
  return kDone;
}

}  // namespace rowshift
